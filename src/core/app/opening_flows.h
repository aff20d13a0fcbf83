#pragma once

#include <functional>

#include "core/app/launch_request.h"
#include "core/launch/jad_flow.h"
#include "core/launch/jar_flow.h"
#include "core/launch/launch_context.h"

namespace quillmont {

// The two ways a file is opened: the program's own flows, unless a test puts
// others in. Each takes the request with its path out of quotes and returns true
// when a starter process was created.
struct OpeningFlows {
    using Flow = std::function<bool(LaunchContext&, const LaunchRequest&)>;
    Flow jad = runJadFlow;
    Flow jar = runJarFlow;
};

}  // namespace quillmont
