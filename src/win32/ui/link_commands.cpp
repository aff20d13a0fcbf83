#include "win32/ui/link_commands.h"

#include "core/app/product.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/about_dialog.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

bool runLinkCommand(int id, HWND dialog, Platform& platform, UpdateDialogs& updateDialogs) {
    switch (id) {
        case IDC_ABOUT_LINK:
            AboutDialog(platform.shell).run(dialog);
            return true;
        case IDC_UPDATE_LINK:
            checkForUpdates(toWindowRef(dialog), platform, updateDialogs, kUpdateServiceUrl);
            return true;
        default:
            return false;
    }
}

}  // namespace quillmont::win32
