#include "win32/platform/win32_startup_services.h"

#include <commctrl.h>
#include <objbase.h>

#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

void Win32StartupServices::initializeCom() {
    // S_FALSE (already initialised on this thread) still needs its matching uninitialise.
    comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void Win32StartupServices::createInstanceMutex(const WideString& name) {
    // Held for the life of the process, never tested or waited on.
    mutex_.reset(CreateMutexW(nullptr, FALSE, toWide(name).c_str()));
}

void Win32StartupServices::initializeCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
}

void Win32StartupServices::uninitializeCom() {
    if (comInitialized_) CoUninitialize();
    comInitialized_ = false;
}

void Win32StartupServices::closeInstanceMutex() { mutex_.reset(); }

}  // namespace quillmont::win32
