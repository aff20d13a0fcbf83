#pragma once

#include "base/wide_string.h"

namespace quillmont {

// One request of one run: the file to open and how to open it.
struct LaunchRequest {
    WideString filePath;            // as the command line gave it, possibly still in quotes
    bool allowDefaultAction = true; // false: always ask in the selection dialog
    WideString externalArguments;   // replaces %* in the starter's template
};

}  // namespace quillmont
