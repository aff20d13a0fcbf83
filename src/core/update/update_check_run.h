#pragma once

#include <atomic>
#include <cstdint>

#include "core/update/update_checker.h"

namespace quillmont {

// What the progress dialog of an update check does for its worker: the only
// ways the worker touches the user interface, each delivered to the dialog.
class UpdateCheckHost {
public:
    virtual ~UpdateCheckHost() = default;
    virtual void sleep(unsigned milliseconds) = 0;
    virtual void setProgress(int step) = 0;  // 0 to 3
    virtual void endDialog(int result) = 0;  // the worker's last act
};

// What the dialog leaves for the command: its result, 1 when the check ran to its
// end and 2 when the user cancelled, and what the check found.
struct UpdateCheckOutcome {
    int result = 2;
    bool succeeded = false;
    bool updateAvailable = false;

    // A check that could not be made (its dialog could not be shown, its worker
    // could not run): the user is told of a connection error, not left with nothing.
    static UpdateCheckOutcome failed() { return {1, false, false}; }
};

// The worker's steps: a short pause, the check, two more steps of progress; the
// cancelled flag is looked at between steps, never during the request. An
// exception (an allocation that fails) ends the check as a failed one.
void runUpdateCheckWorker(UpdateChecker& checker, UpdateCheckHost& host, const std::atomic<bool>& cancelled,
                          UpdateCheckOutcome& outcome);

}  // namespace quillmont
