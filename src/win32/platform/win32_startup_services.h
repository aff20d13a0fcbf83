#pragma once

#include <windows.h>

#include "platform/startup_services.h"
#include "win32/platform/unique_handle.h"

namespace quillmont::win32 {

class Win32StartupServices final : public StartupServices {
public:
    void initializeCom() override;
    void createInstanceMutex(const WideString& name) override;
    void initializeCommonControls() override;
    void uninitializeCom() override;
    void closeInstanceMutex() override;

    bool holdsMutex() const { return mutex_.valid(); }

private:
    bool comInitialized_ = false;
    UniqueHandle mutex_;
};

}  // namespace quillmont::win32
