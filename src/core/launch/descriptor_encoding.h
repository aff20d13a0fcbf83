#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/bytes.h"

namespace quillmont {

// Notepad saves "Unicode" as UTF-16 LE and "Unicode big endian" as UTF-16 BE,
// each with a byte-order mark. Such a descriptor is read as UTF-8 (a lone
// surrogate in its three-byte form, so that nothing is lost), which the
// attribute document reads, and written back in its own encoding, so that
// every byte it did not change stays.
enum class DescriptorEncoding { Utf8, Utf16Le, Utf16Be };

struct DecodedDescriptor {
    DescriptorEncoding encoding = DescriptorEncoding::Utf8;
    Bytes utf8;                           // the text, its byte-order mark included
    std::optional<std::uint8_t> oddByte;  // a UTF-16 file's last byte that makes no unit
};

// A UTF-8 descriptor keeps the very bytes it was given.
DecodedDescriptor decodeDescriptor(Bytes bytes);
// The document's bytes in the encoding the descriptor was read in (for UTF-8,
// the very bytes given).
Bytes encodeDescriptor(Bytes utf8, const DecodedDescriptor& read);

}  // namespace quillmont
