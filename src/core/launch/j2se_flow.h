#pragma once

#include "core/app/launch_request.h"
#include "core/launch/launch_context.h"

namespace quillmont {

// Starts a desktop archive (the request's file) with a J2SE starter: %1 is the
// archive's path. True when the starter's process was created.
bool runJ2seFlow(LaunchContext& context, const LaunchRequest& request);

}  // namespace quillmont
