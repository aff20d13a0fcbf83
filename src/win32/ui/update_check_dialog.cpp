#include "win32/ui/update_check_dialog.h"

#include <commctrl.h>

#include <thread>

#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/dialog_framework.h"
#include "win32/ui/modal_dialog.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

namespace {

// The worker's requests, handled on the dialog's thread.
constexpr UINT kSetProgress = WM_APP + 1;  // wParam: the step
constexpr UINT kEnd = WM_APP + 2;          // wParam: the result

}  // namespace

UpdateCheckOutcome UpdateCheckDialog::run(HWND owner) {
    registerControlClasses(ICC_PROGRESS_CLASS);  // the template's progress bar
    std::thread worker;
    worker_ = &worker;
    const INT_PTR shown = runModalDialog(IDD_UPDATE_CHECK, owner, *this);
    // Ending the dialog was the worker's last act: it is done or about to be.
    if (worker.joinable()) worker.join();
    worker_ = nullptr;
    if (shown != 1 && shown != 2) outcome_ = UpdateCheckOutcome::failed();  // the dialog could not be shown
    return outcome_;
}

INT_PTR UpdateCheckDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            dialog_ = dialog;
            centreDialog(dialog);
            SendDlgItemMessageW(dialog, IDC_UPDATE_PROGRESS, PBM_SETRANGE32, 0, 3);
            SendDlgItemMessageW(dialog, IDC_UPDATE_PROGRESS, PBM_SETPOS, 0, 0);
            try {
                *worker_ = std::thread([this] { runUpdateCheckWorker(checker_, *this, cancelled_, outcome_); });
            } catch (...) {
                // No thread to ask with (no memory, no threads left): a check that failed.
                outcome_ = UpdateCheckOutcome::failed();
                EndDialog(dialog, outcome_.result);
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDCANCEL) return FALSE;
            // Cancel, Esc and the close box: a request under way is ended at once
            // (its session closed), and the worker ends the dialog without a message.
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
            cancelled_ = true;
            checker_.cancel();
            return TRUE;
        case kSetProgress:
            SendDlgItemMessageW(dialog, IDC_UPDATE_PROGRESS, PBM_SETPOS, wParam, 0);
            return TRUE;
        case kEnd:
            EndDialog(dialog, static_cast<INT_PTR>(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

void UpdateCheckDialog::sleep(unsigned milliseconds) { Sleep(milliseconds); }

void UpdateCheckDialog::setProgress(int step) { PostMessageW(dialog_, kSetProgress, static_cast<WPARAM>(step), 0); }

void UpdateCheckDialog::endDialog(int result) { PostMessageW(dialog_, kEnd, static_cast<WPARAM>(result), 0); }

UpdateCheckOutcome Win32UpdateDialogs::runUpdateCheck(WindowRef owner, UpdateChecker& checker) {
    return UpdateCheckDialog(checker).run(toHwnd(owner));
}

}  // namespace quillmont::win32
