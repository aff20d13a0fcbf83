#include "screen_pixels.h"

namespace quillmont::testing {

int countScreenPixels(HWND window, COLORREF colour) {
    RECT rect;
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y)
        for (LONG x = rect.left; x < rect.right; ++x)
            if (GetPixel(screen, x, y) == colour) ++count;
    ReleaseDC(nullptr, screen);
    return count;
}

}  // namespace quillmont::testing
