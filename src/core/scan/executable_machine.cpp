#include "core/scan/executable_machine.h"

#include <array>

namespace quillmont {

namespace {

constexpr std::size_t kDosHeaderSize = 0x40;
constexpr std::size_t kNewHeaderOffsetAt = 0x3C;  // e_lfanew
constexpr std::size_t kSignatureSize = 4;         // "PE\0\0"
constexpr std::size_t kMachineSize = 2;

constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;
constexpr std::uint16_t kMachineArm64 = 0xAA64;

// All of the buffer or nothing: a short read means the header is not there.
template <std::size_t N>
bool readExactly(ReadableFile& file, std::uint64_t offset, std::array<std::uint8_t, N>& buffer) {
    const std::optional<std::size_t> read = file.readAt(offset, buffer);
    return read && *read == N;
}

}  // namespace

std::optional<std::uint16_t> peMachine(ReadableFile& file) {
    std::array<std::uint8_t, kDosHeaderSize> dos{};
    if (!readExactly(file, 0, dos) || dos[0] != 'M' || dos[1] != 'Z') return std::nullopt;
    const std::uint32_t newHeader = static_cast<std::uint32_t>(dos[kNewHeaderOffsetAt]) |
                                    static_cast<std::uint32_t>(dos[kNewHeaderOffsetAt + 1]) << 8 |
                                    static_cast<std::uint32_t>(dos[kNewHeaderOffsetAt + 2]) << 16 |
                                    static_cast<std::uint32_t>(dos[kNewHeaderOffsetAt + 3]) << 24;
    std::array<std::uint8_t, kSignatureSize + kMachineSize> pe{};
    if (!readExactly(file, newHeader, pe) || pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
        return std::nullopt;
    return static_cast<std::uint16_t>(pe[kSignatureSize] | pe[kSignatureSize + 1] << 8);
}

ExecutableBitness bitnessOfMachine(std::uint16_t machine) {
    switch (machine) {
    case kMachineI386: return ExecutableBitness::Bits32;
    case kMachineAmd64:
    case kMachineArm64: return ExecutableBitness::Bits64;
    default: return ExecutableBitness::Unknown;
    }
}

ExecutableBitness executableBitness(Files& files, const WideString& path) {
    const std::unique_ptr<ReadableFile> file = files.openForReading(path);
    if (!file) return ExecutableBitness::Unknown;
    const std::optional<std::uint16_t> machine = peMachine(*file);
    return machine ? bitnessOfMachine(*machine) : ExecutableBitness::Unknown;
}

}  // namespace quillmont
