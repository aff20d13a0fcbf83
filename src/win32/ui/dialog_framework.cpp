#include "win32/ui/dialog_framework.h"

#include <commctrl.h>

#include <utility>

#include "win32/res/resource_ids.h"

// The linker's name for the start of the image this code is part of.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quillmont::win32 {

namespace {

// A function of user32.dll that older systems lack, or nullptr. (Through void (*)(),
// which stands for any function pointer, as the compiler asks.)
template <class Function>
Function userFunction(const char* name) {
    FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

HINSTANCE programInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

int metricForWindow(HWND window, int metric) {
    // Windows 10 1607 and later; before, every screen has the system's resolution.
    const auto dpiOf = userFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const auto metricFor = userFunction<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    const UINT dpi = dpiOf != nullptr ? dpiOf(window) : 0;
    return metricFor != nullptr && dpi != 0 ? metricFor(metric, dpi) : GetSystemMetrics(metric);
}

void setProgramIcon(HWND dialog) {
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = metricForWindow(dialog, metric);
        HANDLE icon = LoadImageW(programInstance(), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void registerControlClasses(DWORD classes) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = classes;
    InitCommonControlsEx(&controls);
}

}  // namespace quillmont::win32
