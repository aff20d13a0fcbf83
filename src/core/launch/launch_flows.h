#pragma once

#include "core/app/opening_flows.h"
#include "core/launch/launch_context.h"

namespace quillmont {

// The opening flows of the program: a descriptor goes to the JAD flow, anything
// else to the JAR flow.
class LaunchFlows final : public OpeningFlows {
public:
    explicit LaunchFlows(LaunchContext context) : context_(std::move(context)) {}
    bool runJadFlow(const WideString& jadPath, bool allowDefaultAction, const WideString& externalArguments) override;
    bool runJarFlow(const WideString& jarPath, bool allowDefaultAction, const WideString& externalArguments) override;

private:
    LaunchContext context_;
};

}  // namespace quillmont
