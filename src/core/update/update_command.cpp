#include "core/update/update_command.h"

#include "core/app/product.h"

namespace quillmont {

void checkForUpdates(WindowRef owner, Platform& platform, UpdateDialogs& dialogs, const WideString& baseUrl) {
    UpdateChecker checker(platform.http, platform.environment, kUpdateVersion, baseUrl, u"program");
    const UpdateCheckOutcome outcome = dialogs.runUpdateCheck(owner, checker);
    if (outcome.result == 2) return;
    if (!outcome.succeeded) {
        platform.ui.showMessage(owner, u"Server connection error. Please check your Internet connection.",
                                MessageKind::ValidationError);
    } else if (outcome.updateAvailable) {
        platform.ui.showMessage(owner, u"There are some updates for the program.", MessageKind::Complete);
        platform.shell.openUrl(checker.updateUrl());
    } else {
        platform.ui.showMessage(owner, u"This is the latest version of the program.", MessageKind::Complete);
    }
}

}  // namespace quillmont
