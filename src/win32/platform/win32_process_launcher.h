#pragma once

#include "platform/process_launcher.h"

namespace quillmont::win32 {

class Win32ProcessLauncher final : public ProcessLauncher {
public:
    bool createProcess(const WideString& commandLine) override;
};

}  // namespace quillmont::win32
