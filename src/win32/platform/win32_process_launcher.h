#pragma once

#include "platform/process_launcher.h"

namespace quillmont::win32 {

class Win32ProcessLauncher final : public ProcessLauncher {
public:
    bool createProcess(const WideString& commandLine, const WideString& currentFolder = {}) override;
    WideString failureReason() override { return failureReason_; }

private:
    WideString failureReason_;
};

}  // namespace quillmont::win32
