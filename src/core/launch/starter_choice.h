#pragma once

#include <cstdint>

#include "core/launch/launch_context.h"
#include "core/starters/starter_kind.h"

namespace quillmont {

// Picks the starter of `kind` to run and stores it as the kind's LastAction
// before anything is started. With no starter defined the user is told and gets
// the setup dialog. The kind's action is taken without asking when the request
// allows it; otherwise, or when it names no starter, the selection dialog asks.
// Returns the chosen slot, or 0 when nothing is to be started.
std::int32_t chooseStarter(LaunchContext& context, StarterKind kind, bool allowDefaultAction);

}  // namespace quillmont
