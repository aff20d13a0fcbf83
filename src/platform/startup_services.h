#pragma once

#include "base/wide_string.h"

namespace quillmont {

// What the process prepares before it reads its command line and releases after.
// Failures are silent: the program runs on without COM or without the mutex.
class StartupServices {
public:
    virtual ~StartupServices() = default;
    virtual void initializeCom() = 0;  // single-threaded apartment
    virtual void createInstanceMutex(const WideString& name) = 0;
    virtual void initializeCommonControls() = 0;
    virtual void uninitializeCom() = 0;
    virtual void closeInstanceMutex() = 0;
};

}  // namespace quillmont
