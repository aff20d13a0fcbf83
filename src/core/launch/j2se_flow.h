#pragma once

#include "core/launch/launch_context.h"

namespace quillmont {

// Starts a desktop archive with a J2SE starter: %1 is the archive's path.
// True when the starter's process was created.
bool runJ2seFlow(LaunchContext& context, const WideString& jarPath, bool allowDefaultAction,
                 const WideString& externalArguments);

}  // namespace quillmont
