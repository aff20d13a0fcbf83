#pragma once

#include <cstdint>

namespace quillmont {

// A window as the portable code sees it: an opaque number, 0 for "no window".
// The Win32 layer stores an HWND in it.
using WindowRef = std::uintptr_t;
constexpr WindowRef kNoWindow = 0;

}  // namespace quillmont
