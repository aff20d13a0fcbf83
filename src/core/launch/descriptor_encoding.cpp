#include "core/launch/descriptor_encoding.h"

#include "core/text/utf8.h"

namespace quillmont {

DecodedDescriptor decodeDescriptor(std::span<const std::uint8_t> bytes) {
    DecodedDescriptor decoded;
    const bool little = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    const bool big = bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
    if (!little && !big) {
        decoded.utf8.assign(bytes.begin(), bytes.end());
        return decoded;
    }
    decoded.encoding = little ? DescriptorEncoding::Utf16Le : DescriptorEncoding::Utf16Be;
    WideString units;
    units.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const unsigned first = bytes[at], second = bytes[at + 1];
        units.push_back(static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second));
    }
    if (bytes.size() % 2 != 0) decoded.oddByte = bytes.back();
    decoded.utf8.reserve(bytes.size() * 3 / 2);
    appendUtf8(units, decoded.utf8);
    return decoded;
}

Bytes encodeDescriptor(std::span<const std::uint8_t> utf8, const DecodedDescriptor& read) {
    if (read.encoding == DescriptorEncoding::Utf8) return Bytes(utf8.begin(), utf8.end());
    const bool little = read.encoding == DescriptorEncoding::Utf16Le;
    Bytes out;
    out.reserve(utf8.size() * 2);
    for (std::size_t at = 0; at < utf8.size();) {
        const unsigned unit = nextUtf8LenientUnit(utf8, at);
        const auto low = static_cast<std::uint8_t>(unit & 0xFF), high = static_cast<std::uint8_t>(unit >> 8);
        out.push_back(little ? low : high);
        out.push_back(little ? high : low);
    }
    if (read.oddByte) out.push_back(*read.oddByte);
    return out;
}

}  // namespace quillmont
