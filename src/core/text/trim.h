#pragma once

#include "base/wide_string.h"

namespace quillmont {

// White space as the wide-character space test of a Unicode locale sees it: the
// six ASCII spaces and the Unicode space separators and line breaks.
bool isWideSpace(char16_t c);
// The text without leading and trailing white space.
WideString trimmed(const WideString& text);
// The text trimmed and, when it is in double quotes, what is inside them, trimmed
// again: a path as Explorer's "Copy as path" or a variable's value writes it.
WideString unquoted(const WideString& text);

}  // namespace quillmont
