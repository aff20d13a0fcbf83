#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

#include "core/update/update_command.h"

namespace quillmont::win32 {

// "Checking for Updates" (dialog 211): a progress bar and Cancel, while a worker
// thread runs the check. Cancel (also Esc and the close box) disables the button
// and asks the worker to stop; the dialog closes when the worker next looks, or
// when the request it is waiting for ends. One modal run.
class UpdateCheckDialog final : private UpdateCheckHost {
public:
    explicit UpdateCheckDialog(UpdateChecker& checker) : checker_(checker) {}
    UpdateCheckOutcome run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // What the worker asks of the dialog, posted to the dialog's thread.
    void sleep(unsigned milliseconds) override;
    void setProgress(int step) override;
    void endDialog(int result) override;

    UpdateChecker& checker_;
    HWND dialog_ = nullptr;
    std::thread* worker_ = nullptr;  // started by the dialog's initialisation
    std::atomic<bool> cancelled_{false};
    UpdateCheckOutcome outcome_;
};

// The update check's dialogs for the command.
class Win32UpdateDialogs final : public UpdateDialogs {
public:
    UpdateCheckOutcome runUpdateCheck(WindowRef owner, UpdateChecker& checker) override;
};

}  // namespace quillmont::win32
