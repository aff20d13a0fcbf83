#pragma once

#include <cstddef>
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

// The unit that decodeUtf8Lenient(bytes) gives for the bytes from `at` on, and
// `at` moved past them. Precondition: at < bytes.size().
inline char16_t nextUtf8LenientUnit(std::span<const std::uint8_t> bytes, std::size_t& at) {
    const unsigned lead = bytes[at];
    const std::size_t left = bytes.size() - at - 1;
    if (lead < 0x80 || left == 0) {
        at += 1;
        return static_cast<char16_t>(lead);
    }
    if ((lead & 0xE0) == 0xC0 || left == 1) {
        const auto unit = static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[at + 1] & 0x3F));
        at += 2;
        return unit;
    }
    const auto unit =
        static_cast<char16_t>(((lead & 0x0F) << 12) | ((bytes[at + 1] & 0x3F) << 6) | (bytes[at + 2] & 0x3F));
    at += 3;
    return unit;
}

// Appends every UTF-16 unit on its own as one, two or three bytes.
void appendUtf8(const WideString& text, Bytes& out);

}  // namespace quillmont
