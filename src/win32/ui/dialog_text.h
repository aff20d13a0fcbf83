#pragma once

#include <windows.h>

#include <vector>

#include "base/wide_string.h"
#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

inline WideString controlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    return fromWide(text.data());
}

inline void setControlText(HWND dialog, int id, const WideString& text) {
    SetDlgItemTextW(dialog, id, toWide(text).c_str());
}

}  // namespace quillmont::win32
