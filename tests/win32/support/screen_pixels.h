#pragma once

#include <windows.h>

namespace quillmont::testing {

// How many pixels of the window, as the screen shows it now, have exactly this colour.
int countScreenPixels(HWND window, COLORREF colour);

}  // namespace quillmont::testing
