#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/bytes.h"

namespace quillmont {

// What the update service answers: "*" and then, in Base64, a run of records
// (type byte, signed little-endian 32-bit length, value). Type 1 holds the latest
// version (4 bytes, little-endian, packed as 0xMMmmbbrr), type 3 the update
// page's address in the system's ANSI code page; other types are skipped.
struct UpdateRecords {
    std::uint32_t latestVersion = 0;
    Bytes updateUrl;  // as sent, not yet converted
};

// Decodes Base64 group by group: four characters make three bytes, or two when
// the fourth is "=", or one when the third and fourth are. A padded group may
// stand anywhere, not only at the end. Nothing for a length that is not a
// multiple of four, a character outside the alphabet, "=" in a group's first or
// second place, or a data character after a third-place "=".
std::optional<Bytes> decodeBase64Groups(std::span<const std::uint8_t> text);

// The records of a payload, which must end exactly with its last record and
// hold one type-1 record (of length 4) and one type-3 record. Nothing otherwise.
std::optional<UpdateRecords> readUpdateRecords(std::span<const std::uint8_t> payload);

// A whole body: "*", then Base64 of a payload that is not empty.
std::optional<UpdateRecords> decodeUpdateBody(std::span<const std::uint8_t> body);

}  // namespace quillmont
