#pragma once

#include <cstdint>
#include <vector>

#include "base/wide_string.h"

namespace quillmont {

// The format with its first "%s" replaced by `value`.
WideString formatText(const WideString& format, const WideString& value);
// The format with its first two "%u" replaced by the numbers in decimal.
WideString formatNumbers(const WideString& format, std::uint32_t first, std::uint32_t second);
// printf's way with text values only: each "%s" takes the next value in turn and
// "%%" is one percent sign; a value is never read as a format itself. A "%s"
// without a value left stays as it is.
WideString formatValues(const WideString& format, const std::vector<WideString>& values);
// A system message as FormatMessage gives it when told to leave its inserts
// alone ("Bad EXE format for %1."), with every insert ("%1" to "%99", with or
// without a "!format!" after it) replaced by `value`. The messages that reach a
// user name one thing each: the program, the file.
WideString fillSystemInserts(const WideString& message, const WideString& value);
WideString decimalText(std::uint64_t number);
// The number in decimal with its thousands set apart by commas ("61,440"), for
// the sizes a message shows a person.
WideString groupedDecimalText(std::uint64_t number);

}  // namespace quillmont
