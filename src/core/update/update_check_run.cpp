#include "core/update/update_check_run.h"

namespace quillmont {

namespace {

constexpr unsigned kPause = 200;
constexpr int kFinished = 1;
constexpr int kCancelled = 2;

}  // namespace

namespace {

void runSteps(UpdateChecker& checker, UpdateCheckHost& host, const std::atomic<bool>& cancelled,
              UpdateCheckOutcome& outcome) {
    // The outcome is written before the dialog ends; the command reads it after.
    auto end = [&](int result) {
        outcome.result = result;
        host.endDialog(result);
    };
    host.sleep(kPause);
    if (cancelled) return end(kCancelled);
    host.setProgress(1);
    if (!checker.check()) return end(cancelled ? kCancelled : kFinished);
    outcome.succeeded = true;
    outcome.updateAvailable = checker.latestVersion() > checker.currentVersion();
    if (cancelled) return end(kCancelled);
    host.setProgress(2);
    host.sleep(kPause);
    if (cancelled) return end(kCancelled);
    host.setProgress(3);
    host.sleep(kPause);
    end(cancelled ? kCancelled : kFinished);
}

}  // namespace

void runUpdateCheckWorker(UpdateChecker& checker, UpdateCheckHost& host, const std::atomic<bool>& cancelled,
                          UpdateCheckOutcome& outcome) {
    // Nothing may leave a worker thread: an exception there would end the process.
    try {
        runSteps(checker, host, cancelled, outcome);
    } catch (...) {
        outcome = UpdateCheckOutcome::failed();
        if (cancelled) outcome.result = kCancelled;
        host.endDialog(outcome.result);
    }
}

}  // namespace quillmont
