#pragma once

#include <windows.h>

#include "core/update/update_command.h"
#include "platform/platform.h"

namespace quillmont::win32 {

// The links the setup and selection dialogs share: IDC_ABOUT_LINK opens the
// About dialog, IDC_UPDATE_LINK checks for updates, both owned by `dialog`.
// False for any other id, which is then the caller's.
bool runLinkCommand(int id, HWND dialog, Platform& platform, UpdateDialogs& updateDialogs);

}  // namespace quillmont::win32
