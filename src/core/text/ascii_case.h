#pragma once

#include <string_view>

#include "base/wide_string.h"

namespace quillmont {

// Letter case as the file formats and Windows' own names compare it: only the
// ASCII letters A-Z and a-z are folded; every other character is itself.

constexpr char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }
// The text with its ASCII capitals in lower case.
WideString lowerAscii(WideString text);
// Whether the two are equal but for the case of ASCII letters.
bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);
// Whether the text starts with the prefix, ASCII letters compared without regard
// to case; the prefix is given in lower case.
bool startsWithLowerAscii(std::u16string_view text, std::u16string_view lowerPrefix);
// Whether the text ends with the suffix, ASCII letters compared without regard to case.
bool endsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view suffix);

}  // namespace quillmont
