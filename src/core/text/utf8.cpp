#include "core/text/utf8.h"

namespace quillmont {

WideString decodeUtf8Lenient(std::span<const std::uint8_t> bytes) {
    WideString text;
    text.reserve(bytes.size());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned lead = bytes[i];
        const std::size_t left = size - i - 1;
        if (lead < 0x80 || left == 0) {
            text.push_back(static_cast<char16_t>(lead));
            i += 1;
        } else if ((lead & 0xE0) == 0xC0 || left == 1) {
            text.push_back(static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[i + 1] & 0x3F)));
            i += 2;
        } else {
            text.push_back(static_cast<char16_t>(((lead & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) |
                                                 (bytes[i + 2] & 0x3F)));
            i += 3;
        }
    }
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
