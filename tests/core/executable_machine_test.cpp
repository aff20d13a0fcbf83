#include <gtest/gtest.h>

#include "core/scan/executable_machine.h"
#include "fake_files.h"
#include "pe_header.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

Bytes with(Bytes bytes, std::size_t at, std::uint8_t value) {
    bytes.at(at) = value;
    return bytes;
}

}  // namespace

TEST(ExecutableMachine, TheMachineWordIsReadOnlyBehindBothSignatures) {
    const Bytes x64 = peHeader(0x8664, 0x80);
    struct Case {
        const char* what;
        Bytes bytes;
        std::optional<std::uint16_t> machine;
    };
    const Case cases[] = {
        {"x86", peHeader(0x014C, 0x80), 0x014C},
        {"x64", x64, 0x8664},
        {"ARM64", peHeader(0xAA64, 0x80), 0xAA64},
        {"empty file", {}, std::nullopt},
        {"DOS header cut short", Bytes(x64.begin(), x64.begin() + 0x3F), std::nullopt},
        {"cut inside the machine word", Bytes(x64.begin(), x64.begin() + 0x85), std::nullopt},
        {"no MZ", with(x64, 0, 'Z'), std::nullopt},
        {"PE signature with a nonzero tail", with(x64, 0x83, 1), std::nullopt},
        {"new header beyond the end", with(x64, 0x3D, 0x10), std::nullopt},
        {"new header offset at the top of 32 bits", with(with(with(with(x64, 0x3C, 0xFF), 0x3D, 0xFF), 0x3E, 0xFF),
                                                        0x3F, 0xFF), std::nullopt},
        {"new header pointing at the DOS header", with(x64, 0x3C, 0), std::nullopt},
    };
    for (const Case& c : cases) {
        FakeFiles files;
        files.addFile(u"C:\\java.exe", c.bytes);
        std::unique_ptr<ReadableFile> file = files.openForReading(u"C:\\java.exe");
        ASSERT_TRUE(file);
        EXPECT_EQ(peMachine(*file), c.machine) << c.what;
    }
}

TEST(ExecutableMachine, OnlyKnownMachinesHaveABitnessAndAnUnreadableFileHasNone) {
    EXPECT_EQ(bitnessOfMachine(0x014C), ExecutableBitness::Bits32);
    EXPECT_EQ(bitnessOfMachine(0x8664), ExecutableBitness::Bits64);
    EXPECT_EQ(bitnessOfMachine(0xAA64), ExecutableBitness::Bits64);
    EXPECT_EQ(bitnessOfMachine(0x0200), ExecutableBitness::Unknown);  // Itanium
    EXPECT_EQ(bitnessOfMachine(0x0000), ExecutableBitness::Unknown);

    FakeFiles files;
    files.addFile(u"C:\\x86\\java.exe", peHeader(0x014C, 0x80));
    files.addFile(u"C:\\locked\\java.exe", peHeader(0x014C, 0x80));
    files.unopenable.insert(FakeFiles::key(u"C:\\locked\\java.exe"));
    EXPECT_EQ(executableBitness(files, u"c:\\X86\\JAVA.EXE"), ExecutableBitness::Bits32);
    EXPECT_EQ(executableBitness(files, u"C:\\locked\\java.exe"), ExecutableBitness::Unknown);
    EXPECT_EQ(executableBitness(files, u"C:\\gone\\java.exe"), ExecutableBitness::Unknown);
    EXPECT_EQ(files.openReaders(), 0);
}
