#pragma once

#include <cstdint>

#include "base/wide_string.h"

namespace quillmont {

// The format with its first "%s" replaced by `value`.
WideString formatText(const WideString& format, const WideString& value);
// The format with its first two "%u" replaced by the numbers in decimal.
WideString formatNumbers(const WideString& format, std::uint32_t first, std::uint32_t second);
WideString decimalText(std::uint64_t number);

}  // namespace quillmont
