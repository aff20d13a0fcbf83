#include "win32/ui/win32_scan_dialogs.h"

#include "win32/ui/scan_progress_dialog.h"
#include "win32/ui/scan_results_dialog.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

std::unique_ptr<ScanProgress> Win32ScanDialogs::showProgress(WindowRef parent, const WideString& title) {
    return ScanProgressDialog::show(toHwnd(parent), title);
}

bool Win32ScanDialogs::runResults(WindowRef parent, const WideString& title, std::vector<DetectedStarter>& detected) {
    return ScanResultsDialog(title, detected).run(toHwnd(parent)) == IDOK;
}

}  // namespace quillmont::win32
