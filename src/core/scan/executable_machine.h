#pragma once

#include <cstdint>
#include <optional>

#include "base/wide_string.h"
#include "platform/files.h"

namespace quillmont {

// Whether a program runs as a 32-bit or a 64-bit process, as its file says.
enum class ExecutableBitness { Unknown, Bits32, Bits64 };

// The machine word of a PE file's header: "MZ", the new header's offset at 0x3C,
// "PE\0\0" there and the machine right after it. Nothing when the file is too
// short or the signatures are wrong.
std::optional<std::uint16_t> peMachine(ReadableFile& file);

// x86 is 32-bit, x64 and ARM64 are 64-bit; any other machine is Unknown.
ExecutableBitness bitnessOfMachine(std::uint16_t machine);

// The bitness the program's header states; Unknown when the file cannot be read
// or is no PE file.
ExecutableBitness executableBitness(Files& files, const WideString& path);

}  // namespace quillmont
