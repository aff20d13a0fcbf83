#pragma once

#include <string>

#include "base/wide_string.h"

namespace quillmont::win32 {

// wchar_t is 16 bits on Windows, so the conversion is a plain copy of the units.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring toWide(const WideString& text) { return std::wstring(text.begin(), text.end()); }

inline WideString fromWide(const wchar_t* text) {
    WideString result;
    if (text != nullptr)
        for (; *text != L'\0'; ++text) result.push_back(static_cast<char16_t>(*text));
    return result;
}

inline WideString fromWide(const std::wstring& text) { return WideString(text.begin(), text.end()); }

}  // namespace quillmont::win32
