#pragma once

#include <windows.h>

#include "platform/window_ref.h"

namespace quillmont::win32 {

inline HWND toHwnd(WindowRef window) { return reinterpret_cast<HWND>(window); }
inline WindowRef toWindowRef(HWND window) { return reinterpret_cast<WindowRef>(window); }

}  // namespace quillmont::win32
