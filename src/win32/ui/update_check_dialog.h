#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

#include "core/update/update_command.h"

namespace quillmont::win32 {

// "Checking for Updates" (dialog 211): a progress bar and Cancel, while a worker
// thread runs the check. Cancel (also Esc and the close box) ends the request
// under way and closes the dialog at once, without a message: where the system
// does not cut the request short (Wine's WinINet finishes it), the worker goes on
// alone with what it owns and its answer is dropped. One modal run.
class UpdateCheckDialog {
public:
    explicit UpdateCheckDialog(UpdateChecker& checker) : checker_(checker) {}
    UpdateCheckOutcome run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // Everything the worker touches, shared with it, so that it may outlive the dialog.
    struct Work final : UpdateCheckHost {
        explicit Work(const UpdateChecker& original) : checker(original) {}
        void sleep(unsigned milliseconds) override;
        void setProgress(int step) override;
        void endDialog(int result) override;

        UpdateChecker checker;  // a copy: the caller's may be gone when the worker ends
        std::atomic<bool> cancelled{false};
        UpdateCheckOutcome outcome;
        std::atomic<HWND> dialog{nullptr};  // null once the dialog no longer listens
    };

private:
    UpdateChecker& checker_;
    std::shared_ptr<Work> work_;
    std::thread* worker_ = nullptr;  // started by the dialog's initialisation
};

// The update check's dialogs for the command.
class Win32UpdateDialogs final : public UpdateDialogs {
public:
    UpdateCheckOutcome runUpdateCheck(WindowRef owner, UpdateChecker& checker) override;
};

}  // namespace quillmont::win32
