#pragma once

#include <cstddef>
#include <cstdint>

#include "base/bytes.h"

namespace quillmont::testing {

// The start of a PE file for a machine: "MZ", e_lfanew pointing at `at`,
// "PE\0\0" there and the machine word after it. Enough for whoever reads only
// which machine a program is for.
inline Bytes peHeader(std::uint16_t machine, std::size_t at = 0x40) {
    Bytes bytes(at + 8, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = static_cast<std::uint8_t>(at);
    bytes[at] = 'P';
    bytes[at + 1] = 'E';
    bytes[at + 4] = static_cast<std::uint8_t>(machine & 0xFF);
    bytes[at + 5] = static_cast<std::uint8_t>(machine >> 8);
    return bytes;
}

}  // namespace quillmont::testing
