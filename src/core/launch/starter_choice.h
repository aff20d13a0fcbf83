#pragma once

#include <cstdint>
#include <vector>

#include "core/launch/launch_context.h"
#include "core/starters/starter_kind.h"

namespace quillmont {

// Picks the starter of `kind` to run. With no starter defined the user is told
// and gets the setup dialog. The kind's action is taken without asking when the
// request allows it; otherwise, or when it names no starter, the selection dialog
// asks. Returns the chosen slot, or 0 when nothing is to be started.
std::int32_t chooseStarter(LaunchContext& context, StarterKind kind, bool allowDefaultAction);

// Starts the starter in `slot` with the quoted parameters (%1, %2) and the external
// arguments (%*). Once its process was created it becomes the kind's LastAction;
// a starter that cannot be started is not remembered, and the user is told which
// starter, which program and why.
bool startStarter(LaunchContext& context, StarterKind kind, std::int32_t slot, const std::vector<WideString>& parameters,
                  const WideString& externalArguments);

}  // namespace quillmont
