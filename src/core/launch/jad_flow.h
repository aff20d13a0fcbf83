#pragma once

#include "core/app/launch_request.h"
#include "core/launch/launch_context.h"

namespace quillmont {

// Starts a MIDlet suite through its descriptor (the request's file) with a J2ME
// starter: %1 is the descriptor's path, %2 the archive's. A MIDlet-Jar-Size that
// differs from the archive's size is first corrected in the descriptor or in
// temporary copies, as the user chooses. True when the starter's process was created.
bool runJadFlow(LaunchContext& context, const LaunchRequest& request);

// The size dialog's text for a descriptor that names its archive by a web
// address (with the sizes when they differ); empty for a wrong size alone,
// which the dialog's own text says.
WideString jadRepairText(const JadRepair& repair);

}  // namespace quillmont
