#pragma once

#include <string>
#include <vector>

#include "platform/startup_services.h"

namespace quillmont::testing {

// Records the order of start-up and shutdown steps, and what the run did between them.
class FakeStartupServices final : public StartupServices {
public:
    std::vector<std::string> calls;
    WideString mutexName;

    void initializeCom() override { calls.push_back("com"); }
    void createInstanceMutex(const WideString& name) override {
        mutexName = name;
        calls.push_back("mutex");
    }
    void initializeCommonControls() override { calls.push_back("controls"); }
    void uninitializeCom() override { calls.push_back("~com"); }
    void closeInstanceMutex() override { calls.push_back("~mutex"); }
};

}  // namespace quillmont::testing
