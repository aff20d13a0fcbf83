#pragma once

#include <functional>

#include "core/launch/starter_dialogs.h"
#include "core/starters/settings_store.h"
#include "platform/platform.h"

namespace quillmont {

// What the opening flows work with: the ports, the program's dialogs, and the
// settings store, reached through a call so that the lists are loaded only when a
// flow first needs them.
struct LaunchContext {
    Platform& platform;
    Dialogs& dialogs;
    SettingsAccess settings;
};

}  // namespace quillmont
