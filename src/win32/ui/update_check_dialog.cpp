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
    work_ = std::make_shared<Work>(checker_);
    std::thread worker;
    worker_ = &worker;
    const INT_PTR shown = runModalDialog(IDD_UPDATE_CHECK, owner, *this);
    worker_ = nullptr;
    work_->dialog = nullptr;
    if (shown == 2 && work_->cancelled) {
        // Cancelled: the worker may still wait for its request; it ends alone.
        if (worker.joinable()) worker.detach();
        return UpdateCheckOutcome{};
    }
    // Ending the dialog was the worker's last act: it is done or about to be.
    if (worker.joinable()) worker.join();
    if (shown != 1 && shown != 2) return UpdateCheckOutcome::failed();  // the dialog could not be shown
    checker_.takeAnswer(work_->checker);
    return work_->outcome;
}

INT_PTR UpdateCheckDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            centreDialog(dialog);
            SendDlgItemMessageW(dialog, IDC_UPDATE_PROGRESS, PBM_SETRANGE32, 0, 3);
            SendDlgItemMessageW(dialog, IDC_UPDATE_PROGRESS, PBM_SETPOS, 0, 0);
            work_->dialog = dialog;
            try {
                *worker_ = std::thread([work = work_] {
                    runUpdateCheckWorker(work->checker, *work, work->cancelled, work->outcome);
                });
            } catch (...) {
                // No thread to ask with (no memory, no threads left): a check that failed.
                EndDialog(dialog, UpdateCheckOutcome::failed().result);
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDCANCEL) return FALSE;
            // Cancel, Esc and the close box: the request under way is ended (its
            // handles closed) and the dialog closes now.
            work_->cancelled = true;
            work_->checker.cancel();
            EndDialog(dialog, 2);
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

void UpdateCheckDialog::Work::sleep(unsigned milliseconds) { Sleep(milliseconds); }

void UpdateCheckDialog::Work::setProgress(int step) {
    if (HWND window = dialog) PostMessageW(window, kSetProgress, static_cast<WPARAM>(step), 0);
}

void UpdateCheckDialog::Work::endDialog(int result) {
    if (HWND window = dialog) PostMessageW(window, kEnd, static_cast<WPARAM>(result), 0);
}

UpdateCheckOutcome Win32UpdateDialogs::runUpdateCheck(WindowRef owner, UpdateChecker& checker) {
    return UpdateCheckDialog(checker).run(toHwnd(owner));
}

}  // namespace quillmont::win32
