#pragma once

#include <string>
#include <vector>

#include "core/app/opening_flows.h"

namespace quillmont::testing {

// Records which flow ran with what; answers `result`.
class FakeOpeningFlows {
public:
    struct Call {
        std::string flow;  // "jad" or "jar"
        WideString path;
        bool allowDefaultAction;
        WideString externalArguments;
    };
    std::vector<Call> calls;
    bool result = true;

    OpeningFlows openingFlows() {
        return {[this](LaunchContext&, const LaunchRequest& request) { return record("jad", request); },
                [this](LaunchContext&, const LaunchRequest& request) { return record("jar", request); }};
    }

private:
    bool record(const std::string& flow, const LaunchRequest& request) {
        calls.push_back({flow, request.filePath, request.allowDefaultAction, request.externalArguments});
        return result;
    }
};

}  // namespace quillmont::testing
