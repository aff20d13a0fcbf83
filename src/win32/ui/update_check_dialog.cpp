#include "win32/ui/update_check_dialog.h"

#include <commctrl.h>

#include <process.h>

#include <memory>
#include <new>
#include <vector>

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

// The worker thread; it holds its share of the work until its last step.
unsigned __stdcall workerMain(void* parameter) {
    const std::unique_ptr<std::shared_ptr<UpdateCheckDialog::Work>> held(
        static_cast<std::shared_ptr<UpdateCheckDialog::Work>*>(parameter));
    UpdateCheckDialog::Work& work = **held;
    runUpdateCheckWorker(work.checker, work, work.cancelled, work.outcome);
    return 0;
}

}  // namespace

UpdateWorkers::~UpdateWorkers() {
    for (const UniqueHandle& thread : threads_) WaitForSingleObject(thread.get(), INFINITE);
}

void UpdateWorkers::adopt(UniqueHandle thread) {
    // Those that have ended since are let go, so that the list stays short.
    waitForAll(0);
    threads_.push_back(std::move(thread));
}

bool UpdateWorkers::waitForAll(DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    std::erase_if(threads_, [&](const UniqueHandle& thread) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        return WaitForSingleObject(thread.get(), left) == WAIT_OBJECT_0;
    });
    return threads_.empty();
}

UpdateCheckOutcome UpdateCheckDialog::run(HWND owner) {
    registerControlClasses(ICC_PROGRESS_CLASS);  // the template's progress bar
    work_ = std::make_shared<Work>(checker_);
    const INT_PTR shown = runModalDialog(IDD_UPDATE_CHECK, owner, *this);
    work_->dialog = nullptr;
    if (!work_->cancelled && (shown == 1 || shown == 2)) {
        // Ending the dialog was the worker's last act (or none started): it is done or about to be.
        if (worker_.valid()) WaitForSingleObject(worker_.get(), INFINITE);
        worker_.reset();
        checker_.takeAnswer(work_->checker);
        return work_->outcome;
    }
    // Cancelled, or the dialog could not be shown: a worker may still wait for its request.
    const bool cancelled = work_->cancelled.exchange(true);
    work_->checker.cancel();
    if (worker_.valid()) workers_.adopt(std::move(worker_));
    return cancelled ? UpdateCheckOutcome{} : UpdateCheckOutcome::failed();
}

bool UpdateCheckDialog::startWorker() {
    auto* share = new (std::nothrow) std::shared_ptr<Work>(work_);
    if (share == nullptr) return false;
    worker_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &workerMain, share, 0, nullptr)));
    if (worker_.valid()) return true;
    delete share;
    return false;
}

INT_PTR UpdateCheckDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            centreDialog(dialog);
            SendDlgItemMessageW(dialog, IDC_UPDATE_PROGRESS, PBM_SETRANGE32, 0, 3);
            SendDlgItemMessageW(dialog, IDC_UPDATE_PROGRESS, PBM_SETPOS, 0, 0);
            work_->dialog = dialog;
            // No thread to ask with (no memory, no threads left): a check that failed.
            if (!startWorker()) {
                work_->outcome = UpdateCheckOutcome::failed();
                EndDialog(dialog, work_->outcome.result);
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDCANCEL) return FALSE;
            // Cancel, Esc and the close box: the request under way is told to
            // stop and the dialog closes now; the worker posts nothing more to it.
            work_->dialog = nullptr;
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
    return UpdateCheckDialog(checker, workers_).run(toHwnd(owner));
}

}  // namespace quillmont::win32
