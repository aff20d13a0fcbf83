#pragma once

#include <string>
#include <vector>

#include "core/app/opening_flows.h"

namespace quillmont::testing {

// Records which flow ran with what; answers `result`.
class FakeOpeningFlows final : public OpeningFlows {
public:
    struct Call {
        std::string flow;  // "jad" or "jar"
        WideString path;
        bool allowDefaultAction;
        WideString externalArguments;
    };
    std::vector<Call> calls;
    bool result = true;

    bool runJadFlow(const WideString& path, bool allow, const WideString& arguments) override {
        calls.push_back({"jad", path, allow, arguments});
        return result;
    }
    bool runJarFlow(const WideString& path, bool allow, const WideString& arguments) override {
        calls.push_back({"jar", path, allow, arguments});
        return result;
    }
};

}  // namespace quillmont::testing
