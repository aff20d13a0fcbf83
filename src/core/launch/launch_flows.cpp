#include "core/launch/launch_flows.h"

#include "core/launch/jad_flow.h"
#include "core/launch/jar_flow.h"

namespace quillmont {

bool LaunchFlows::runJadFlow(const WideString& jadPath, bool allowDefaultAction,
                             const WideString& externalArguments) {
    return quillmont::runJadFlow(context_, jadPath, allowDefaultAction, externalArguments);
}

bool LaunchFlows::runJarFlow(const WideString& jarPath, bool allowDefaultAction,
                             const WideString& externalArguments) {
    return quillmont::runJarFlow(context_, jarPath, allowDefaultAction, externalArguments);
}

}  // namespace quillmont
