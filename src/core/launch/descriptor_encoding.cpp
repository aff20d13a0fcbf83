#include "core/launch/descriptor_encoding.h"

#include <utility>

namespace quillmont {

namespace {

bool isHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendCodePoint(std::uint32_t c, Bytes& out) {
    if (c < 0x80) {
        out.push_back(static_cast<std::uint8_t>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<std::uint8_t>(0xC0 | (c >> 6)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<std::uint8_t>(0xE0 | (c >> 12)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<std::uint8_t>(0xF0 | (c >> 18)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
    }
}

// The code point whose UTF-8 starts at `at` (a lone surrogate in its three-byte
// form included), and `at` moved past it; a byte that starts no sequence is
// U+FFFD. Only the program's own writing of UTF-16 text comes here.
std::uint32_t nextCodePoint(std::span<const std::uint8_t> bytes, std::size_t& at) {
    const unsigned lead = bytes[at];
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || bytes.size() - at < length) {
        at += 1;
        return 0xFFFD;
    }
    std::uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (bytes[at + i] & 0x3F);
    at += length;
    return c;
}

}  // namespace

DecodedDescriptor decodeDescriptor(Bytes bytes) {
    DecodedDescriptor decoded;
    const bool little = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    const bool big = bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
    if (!little && !big) {
        decoded.utf8 = std::move(bytes);
        return decoded;
    }
    decoded.encoding = little ? DescriptorEncoding::Utf16Le : DescriptorEncoding::Utf16Be;
    auto unitAt = [&](std::size_t at) -> unsigned {
        return little ? bytes[at] | (bytes[at + 1] << 8) : (bytes[at] << 8) | bytes[at + 1];
    };
    const std::size_t units = bytes.size() / 2;
    decoded.utf8.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned unit = unitAt(2 * i);
        if (isHighSurrogate(unit) && i + 1 < units && isLowSurrogate(unitAt(2 * i + 2))) {
            appendCodePoint(0x10000 + ((unit - 0xD800) << 10) + (unitAt(2 * i + 2) - 0xDC00), decoded.utf8);
            ++i;
        } else {
            appendCodePoint(unit, decoded.utf8);  // a lone surrogate too, so that it comes back as it was
        }
    }
    if (bytes.size() % 2 != 0) decoded.oddByte = bytes.back();
    return decoded;
}

Bytes encodeDescriptor(Bytes utf8, const DecodedDescriptor& read) {
    if (read.encoding == DescriptorEncoding::Utf8) return utf8;
    const bool little = read.encoding == DescriptorEncoding::Utf16Le;
    Bytes out;
    out.reserve(utf8.size() * 2);
    auto put = [&](unsigned unit) {
        const auto low = static_cast<std::uint8_t>(unit & 0xFF), high = static_cast<std::uint8_t>(unit >> 8);
        out.push_back(little ? low : high);
        out.push_back(little ? high : low);
    };
    for (std::size_t at = 0; at < utf8.size();) {
        const std::uint32_t c = nextCodePoint(utf8, at);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c > 0xFFFF ? 0xFFFD : c);
        }
    }
    if (read.oddByte) out.push_back(*read.oddByte);
    return out;
}

}  // namespace quillmont
