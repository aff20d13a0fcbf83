#pragma once

#include "core/launch/launch_context.h"

namespace quillmont {

// Starts a MIDlet suite through its descriptor with a J2ME starter: %1 is the
// descriptor's path, %2 the archive's. A MIDlet-Jar-Size that differs from the
// archive's size is first corrected in the descriptor or in temporary copies, as
// the user chooses. True when the starter's process was created.
bool runJadFlow(LaunchContext& context, const WideString& jadPath, bool allowDefaultAction,
                const WideString& externalArguments);

}  // namespace quillmont
