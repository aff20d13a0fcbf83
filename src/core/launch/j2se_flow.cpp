#include "core/launch/j2se_flow.h"

#include "core/launch/starter_choice.h"
#include "core/launch/starter_process.h"

namespace quillmont {

bool runJ2seFlow(LaunchContext& context, const WideString& jarPath, bool allowDefaultAction,
                 const WideString& externalArguments) {
    const std::int32_t slot = chooseStarter(context, StarterKind::J2SE, allowDefaultAction);
    if (slot == 0) return false;
    const StarterRecord& starter = context.settings().list(StarterKind::J2SE).record(slot);
    StarterProcess process(starter.executableFile, starter.arguments);
    process.addQuotedParameter(jarPath);
    return process.start(context.platform.processes, externalArguments);
}

}  // namespace quillmont
