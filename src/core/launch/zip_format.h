#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The parts of the zip format that the reader uses: record signatures, fixed
// sizes and field offsets, and little-endian reads that never leave their span.
namespace quillmont::zip {

// End of central directory record.
inline constexpr std::uint32_t kEndSignature = 0x06054B50;
inline constexpr std::size_t kEndSize = 22;
inline constexpr std::size_t kEndDisks = 4;            // this disk and the directory's disk, as one 32-bit field
inline constexpr std::size_t kEndEntriesOnDisk = 8;
inline constexpr std::size_t kEndEntriesTotal = 10;
inline constexpr std::size_t kEndDirectorySize = 12;
inline constexpr std::size_t kEndDirectoryOffset = 16;
inline constexpr std::size_t kEndCommentLength = 20;
// The largest end record with the largest comment, plus one byte.
inline constexpr std::size_t kEndSearchWindow = kEndSize + 65535 + 1;

// Central directory file header.
inline constexpr std::uint32_t kCentralSignature = 0x02014B50;
inline constexpr std::size_t kCentralSize = 46;
inline constexpr std::size_t kCentralVersionNeeded = 6;
inline constexpr std::size_t kCentralFlags = 8;
inline constexpr std::size_t kCentralMethod = 10;
inline constexpr std::size_t kCentralCrc = 16;
inline constexpr std::size_t kCentralCompressedSize = 20;
inline constexpr std::size_t kCentralUncompressedSize = 24;
inline constexpr std::size_t kCentralNameLength = 28;
inline constexpr std::size_t kCentralExtraLength = 30;
inline constexpr std::size_t kCentralCommentLength = 32;
inline constexpr std::size_t kCentralLocalHeaderOffset = 42;

// Local file header.
inline constexpr std::uint32_t kLocalSignature = 0x04034B50;
inline constexpr std::size_t kLocalSize = 30;
inline constexpr std::size_t kLocalNameLength = 26;
inline constexpr std::size_t kLocalExtraLength = 28;

inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;
// Version 2.0: the highest version needed that the reader can extract.
inline constexpr std::uint8_t kHighestVersionNeeded = 20;

// Precondition for both: `at` plus the field's size lies inside `bytes`.
inline std::uint16_t read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
inline std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

}  // namespace quillmont::zip
