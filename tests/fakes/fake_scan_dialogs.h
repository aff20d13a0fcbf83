#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/scan/scan_dialogs.h"

namespace quillmont::testing {

// The scan's windows as a script: which ones were shown, in order, and what the
// user does in the results dialog.
class FakeScanDialogs final : public ScanDialogs {
public:
    // "progress <title>", "~progress", "results <title>", in the order they happen.
    std::vector<std::string> events;
    std::vector<WindowRef> owners;
    // The user's answer: gets the proposals as the dialog shows them and returns
    // true for Add Checked. By default the dialog is cancelled.
    std::function<bool(std::vector<DetectedStarter>&)> answer;

    std::unique_ptr<ScanProgress> showProgress(WindowRef parent, const WideString& title) override {
        events.push_back("progress " + narrow(title));
        owners.push_back(parent);
        return std::make_unique<Progress>(events);
    }

    bool runResults(WindowRef parent, const WideString& title, std::vector<DetectedStarter>& detected) override {
        events.push_back("results " + narrow(title));
        owners.push_back(parent);
        return answer ? answer(detected) : false;
    }

private:
    class Progress final : public ScanProgress {
    public:
        explicit Progress(std::vector<std::string>& events) : events_(events) {}
        ~Progress() override { events_.push_back("~progress"); }

    private:
        std::vector<std::string>& events_;
    };

    static std::string narrow(const WideString& text) { return std::string(text.begin(), text.end()); }
};

}  // namespace quillmont::testing
