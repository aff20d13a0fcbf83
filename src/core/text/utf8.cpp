#include "core/text/utf8.h"

namespace quillmont {

WideString decodeUtf8Lenient(std::span<const std::uint8_t> bytes) {
    WideString text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) text.push_back(nextUtf8LenientUnit(bytes, at));
    return text;
}

void appendUtf8(const WideString& text, Bytes& out) {
    for (const char16_t unit : text) {
        const unsigned u = unit;
        if (u < 0x80) {
            out.push_back(static_cast<std::uint8_t>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<std::uint8_t>(0xC0 | (u >> 6)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<std::uint8_t>(0xE0 | (u >> 12)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (u & 0x3F)));
        }
    }
}

}  // namespace quillmont
