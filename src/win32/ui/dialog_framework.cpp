#include "win32/ui/dialog_framework.h"

#include <commctrl.h>

#include <utility>

#include "win32/res/resource_ids.h"

namespace quillmont::win32 {

namespace {
HINSTANCE g_instance = nullptr;
}

void initializeDialogFramework(HINSTANCE instance) { g_instance = instance; }

void shutdownDialogFramework() { g_instance = nullptr; }

HINSTANCE programInstance() { return g_instance != nullptr ? g_instance : GetModuleHandleW(nullptr); }

void setProgramIcon(HWND dialog) {
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
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
