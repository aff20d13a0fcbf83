#include "icon_capture.h"

#include <cstdlib>
#include <vector>

namespace quillmont::testing {

namespace {

std::vector<COLORREF> pixelsOf(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

long long distance(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    long long sum = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        sum += std::abs(GetRValue(a[i]) - GetRValue(b[i])) + std::abs(GetGValue(a[i]) - GetGValue(b[i])) +
               std::abs(GetBValue(a[i]) - GetBValue(b[i]));
    }
    return sum;
}

}  // namespace

std::wstring classifyScreenIcon(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return L"none";

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    const std::vector<COLORREF> shown = pixelsOf(memory, width, height);
    const COLORREF background = shown.front();

    struct Candidate {
        const wchar_t* name;
        LPCWSTR id;
    };
    const Candidate candidates[] = {{L"error", IDI_ERROR}, {L"warning", IDI_WARNING},
                                    {L"information", IDI_INFORMATION}, {L"question", IDI_QUESTION}};
    std::wstring best = L"none";
    long long bestDistance = -1;
    HBRUSH fill = CreateSolidBrush(background);
    for (const Candidate& candidate : candidates) {
        RECT all{0, 0, width, height};
        FillRect(memory, &all, fill);
        DrawIconEx(memory, 0, 0, LoadIconW(nullptr, candidate.id), width, height, 0, nullptr, DI_NORMAL);
        const long long d = distance(shown, pixelsOf(memory, width, height));
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = candidate.name;
        }
    }
    DeleteObject(fill);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return best;
}

}  // namespace quillmont::testing
