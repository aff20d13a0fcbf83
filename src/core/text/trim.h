#pragma once

#include "base/wide_string.h"

namespace quillmont {

// White space as the wide-character space test of a Unicode locale sees it: the
// six ASCII spaces and the Unicode space separators and line breaks.
bool isWideSpace(char16_t c);
// The text without leading and trailing white space.
WideString trimmed(const WideString& text);
// Whether the text starts with the prefix, ASCII letters compared without regard
// to case; the prefix is given in lower case.
bool startsWithLowerAscii(const WideString& text, const WideString& lowerPrefix);
// The text with its ASCII capitals in lower case; every other character as it is.
WideString lowerAscii(WideString text);

}  // namespace quillmont
