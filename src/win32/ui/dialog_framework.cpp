#include "win32/ui/dialog_framework.h"

#include <commctrl.h>

#include <utility>

#include "win32/platform/newer_windows.h"
#include "win32/res/resource_ids.h"

// The linker's name for the start of the image this code is part of.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quillmont::win32 {

HINSTANCE programInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

int metricForWindow(HWND window, int metric) {
    return systemMetricForDpi(metric, dpiForWindow(window));
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
