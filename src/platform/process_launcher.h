#pragma once

#include "base/wide_string.h"

namespace quillmont {

// Creates a process from a complete command line (the program is its first,
// quoted token) and forgets it: nothing waits for the new process.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual bool createProcess(const WideString& commandLine) = 0;
    // Why the last createProcess failed, in the system's words; empty when it
    // cannot say.
    virtual WideString failureReason() { return {}; }
};

}  // namespace quillmont
