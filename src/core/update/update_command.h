#pragma once

#include "core/update/update_check_run.h"
#include "platform/platform.h"

namespace quillmont {

// The progress dialog of an update check ("Checking for Updates"): runs the
// worker on a thread of its own while the user may cancel.
class UpdateDialogs {
public:
    virtual ~UpdateDialogs() = default;
    virtual UpdateCheckOutcome runUpdateCheck(WindowRef owner, UpdateChecker& checker) = 0;
};

// The "Check for Updates..." command: asks the service at `baseUrl` (the
// product's own by default) and says what it found; after "There are some
// updates for the program." the page the service names opens in the browser.
void checkForUpdates(WindowRef owner, Platform& platform, UpdateDialogs& dialogs, const WideString& baseUrl);

}  // namespace quillmont
