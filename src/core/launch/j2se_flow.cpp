#include "core/launch/j2se_flow.h"

#include "core/launch/starter_choice.h"
#include "core/launch/starter_java.h"
#include "core/launch/starter_process.h"

namespace quillmont {

bool runJ2seFlow(LaunchContext& context, const LaunchRequest& request, int javaNeeded) {
    std::int32_t slot = chooseStarter(context, StarterKind::J2SE, request.allowDefaultAction);
    if (slot != 0) slot = confirmStarterJava(context, slot, javaNeeded, request.filePath);
    if (slot == 0) return false;
    return startStarter(context, StarterKind::J2SE, slot, {request.filePath}, request.externalArguments);
}

}  // namespace quillmont
