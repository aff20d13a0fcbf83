#pragma once

#include <cstdint>

#include "base/wide_string.h"

namespace quillmont {

// Reads the number a text starts with, as the C library's decimal conversion
// reads it: leading white space (space, tab, line feed, vertical tab, form feed,
// carriage return), an optional sign, then digits up to the first other
// character. No digits give 0. Values beyond 64 bits saturate instead of
// overflowing.
std::int64_t parseLeadingInteger(const WideString& text);

}  // namespace quillmont
