#pragma once

#include "base/wide_string.h"

namespace quillmont {

// Creates a process from a complete command line (the program is its first,
// quoted token) and forgets it: nothing waits for the new process. The process
// runs in `currentFolder`, or in this process's current folder when it is empty.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual bool createProcess(const WideString& commandLine, const WideString& currentFolder = {}) = 0;
    // Why the last createProcess failed, in the system's words, its inserts
    // ("%1") left as written for the caller to fill; empty when it cannot say.
    virtual WideString failureReason() { return {}; }
};

}  // namespace quillmont
