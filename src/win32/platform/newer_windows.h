#pragma once

#include <windows.h>

// The functions of Windows versions after 7 that the program uses. The build
// targets Windows 7 SP1 (_WIN32_WINNT and WINVER 0x0601), so the headers declare
// nothing newer: each function here is looked up when it is first called and
// has what Windows 7 offers in its place. A newer function is added here, never
// called directly.
namespace quillmont::win32 {

// The resolution of the screen the window is on (GetDpiForWindow, Windows 10
// 1607); 0 before that, where every window has the system's resolution.
UINT dpiForWindow(HWND window);
// A GetSystemMetrics size for a resolution (GetSystemMetricsForDpi, Windows 10
// 1607); the system's own size before that, or when dpi is 0.
int systemMetricForDpi(int metric, UINT dpi);

}  // namespace quillmont::win32
