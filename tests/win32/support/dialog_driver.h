#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_window.h"

namespace quillmont::testing {

// Runs a real modal dialog or message box on this thread and answers it as a user
// would. Each step acts on the next dialog of this thread that is visible, enabled
// and different from the one the step before acted on: a nested dialog, or its
// owner again once the nested one has closed. The steps run from a thread timer
// inside the dialog's own modal loop. Dialogs still open after the timeout are
// ended with IDCANCEL, so that a failing test never hangs.
class DialogDriver {
public:
    using Step = std::function<void(DialogWindow&)>;

    explicit DialogDriver(std::vector<Step> steps, unsigned timeoutMs = 15000);

    // Calls `showModal` (which returns once its dialog has closed) with the steps answering.
    template <class ShowModal>
    auto run(ShowModal showModal) -> decltype(showModal()) {
        start();
        auto result = showModal();
        stop();
        return result;
    }

    int stepsRun() const { return stepsRun_; }
    bool allStepsRan() const { return stepsRun_ == static_cast<int>(steps_.size()); }
    bool timedOut() const { return timedOut_; }
    // What went wrong inside a step (a step may record a failure with `fail`).
    const std::vector<std::string>& failures() const { return failures_; }
    void fail(const std::string& why) { failures_.push_back(why); }

    // Lets the thread handle its messages for a while, from inside a step that
    // needs to see the effect of what it did (a repaint, a mouse move).
    static void pumpMessages(unsigned milliseconds);

    // The visible, enabled dialogs (#32770) of this thread, topmost first.
    static std::vector<HWND> openDialogs();

    // From inside a step: the next step acts on the same dialog again, on a later
    // tick, once the dialog's own loop has handled what this step did.
    static void stayOnThisDialog();
    // Presses the keys together through the system's input queue, as a user's hand
    // would (down in order, up in reverse): the active dialog's own modal loop gets
    // them, with IsDialogMessage, mnemonics and the keyboard state.
    static void pressKeys(const std::vector<WORD>& keys);
    // A step that presses the keys together and stays on the dialog.
    static Step keys(std::vector<WORD> keys);

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    void start();
    void stop();
    void tick();

    std::vector<Step> steps_;
    unsigned timeoutMs_;
    UINT_PTR timer_ = 0;
    ULONGLONG deadline_ = 0;
    HWND lastActedOn_ = nullptr;
    int stepsRun_ = 0;
    bool inStep_ = false;
    bool stay_ = false;
    bool timedOut_ = false;
    std::vector<std::string> failures_;
};

}  // namespace quillmont::testing
