#pragma once

#include <memory>
#include <optional>

#include "platform/process_launcher.h"

namespace quillmont::testing {

// What the process-launcher cases need from one side: the launcher, a program
// that records the command line it was started with, and a path with no program.
class ProcessLauncherHarness {
public:
    virtual ~ProcessLauncherHarness() = default;
    virtual ProcessLauncher& launcher() = 0;
    virtual WideString recordingProgram() = 0;  // its path contains spaces
    virtual WideString missingProgram() = 0;
    // The command line the recording program received, once it has run.
    virtual std::optional<WideString> recordedCommandLine() = 0;
};

std::unique_ptr<ProcessLauncherHarness> makeProcessLauncherHarness();

}  // namespace quillmont::testing
