#pragma once

#include <windows.h>

#include "platform/startup_services.h"
#include "win32/platform/unique_handle.h"

namespace quillmont::win32 {

class Win32StartupServices final : public StartupServices {
public:
    explicit Win32StartupServices(HINSTANCE instance) : instance_(instance) {}

    void initializeCom() override;
    void createInstanceMutex(const WideString& name) override;
    void initializeCommonControls() override;
    void initializeDialogFramework() override;
    void shutdownDialogFramework() override;
    void uninitializeCom() override;
    void closeInstanceMutex() override;

    bool holdsMutex() const { return mutex_.valid(); }

private:
    HINSTANCE instance_;
    bool comInitialized_ = false;
    UniqueHandle mutex_;
};

}  // namespace quillmont::win32
