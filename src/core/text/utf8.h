#pragma once

#include <cstdint>
#include <span>

#include "base/bytes.h"
#include "base/wide_string.h"

namespace quillmont {

// The lenient decoder of descriptors and manifests. A byte below 0x80 is one
// character; a lead byte 110xxxxx takes one more byte; any other byte of 0x80 or
// more takes two (or the one that is left); a byte of 0x80 or more that ends the
// input stands for itself. Continuation bytes are not checked, a byte-order mark
// is kept, and four-byte sequences are not known.
WideString decodeUtf8Lenient(std::span<const std::uint8_t> bytes);

// Appends every UTF-16 unit on its own as one, two or three bytes.
void appendUtf8(const WideString& text, Bytes& out);

}  // namespace quillmont
