#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include "core/update/update_command.h"
#include "win32/platform/unique_handle.h"

namespace quillmont::win32 {

// The workers of update checks whose dialog closed before them: a cancel closes
// the dialog at once, while the worker may still wait for its server. Each is
// waited for before the ports it uses go.
class UpdateWorkers {
public:
    UpdateWorkers() = default;
    UpdateWorkers(const UpdateWorkers&) = delete;
    UpdateWorkers& operator=(const UpdateWorkers&) = delete;
    ~UpdateWorkers();  // waits for every one, however long

    void adopt(UniqueHandle thread);
    // Waits at most `milliseconds` in all; true when no worker is left.
    bool waitForAll(DWORD milliseconds);

private:
    std::vector<UniqueHandle> threads_;
};

// "Checking for Updates" (dialog 211): a progress bar and Cancel, while a worker
// thread runs the check. Cancel (also Esc and the close box) closes the dialog at
// once, without a message; the worker ends when its request does and its answer
// is dropped: it goes on with what it owns, and `workers` waits for it. One modal run.
class UpdateCheckDialog {
public:
    UpdateCheckDialog(UpdateChecker& checker, UpdateWorkers& workers) : checker_(checker), workers_(workers) {}
    UpdateCheckOutcome run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // Everything the worker touches but the checker's ports, shared with it, so
    // that it may outlive the dialog.
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
    bool startWorker();

    UpdateChecker& checker_;
    UpdateWorkers& workers_;
    std::shared_ptr<Work> work_;
    UniqueHandle worker_;  // started by the dialog's initialisation
};

// The update check's dialogs for the command, and the workers of the checks the
// user cancelled, which the end of the run waits for.
class Win32UpdateDialogs final : public UpdateDialogs {
public:
    UpdateCheckOutcome runUpdateCheck(WindowRef owner, UpdateChecker& checker) override;
    // At most `milliseconds`; true when no cancelled check still runs.
    bool waitForCancelledChecks(DWORD milliseconds) { return workers_.waitForAll(milliseconds); }

private:
    UpdateWorkers workers_;
};

}  // namespace quillmont::win32
