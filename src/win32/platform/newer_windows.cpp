#include "win32/platform/newer_windows.h"

namespace quillmont::win32 {

namespace {

// A function that older systems lack, or nullptr; looked up once. (Through
// void (*)(), which stands for any function pointer, as the compiler asks.)
template <class Function>
Function systemFunction(const wchar_t* module, const char* name) {
    HMODULE loaded = GetModuleHandleW(module);
    FARPROC found = loaded != nullptr ? GetProcAddress(loaded, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

UINT dpiForWindow(HWND window) {
    static const auto function = systemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    return function != nullptr ? function(window) : 0;
}

int systemMetricForDpi(int metric, UINT dpi) {
    static const auto function = systemFunction<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    return function != nullptr && dpi != 0 ? function(metric, dpi) : GetSystemMetrics(metric);
}

}  // namespace quillmont::win32
