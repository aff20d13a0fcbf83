#pragma once

#include "core/app/launch_request.h"
#include "core/launch/launch_context.h"

namespace quillmont {

// Starts a desktop archive (the request's file) with a J2SE starter: %1 is the
// archive's path. An archive that needs Java `javaNeeded` (0: nothing known) is
// not started with an older Java unless the user says so. True when the
// starter's process was created.
bool runJ2seFlow(LaunchContext& context, const LaunchRequest& request, int javaNeeded = 0);

}  // namespace quillmont
