#include <gtest/gtest.h>

#include "core/launch/zip_archive_reader.h"
#include "fake_files.h"
#include "testdata.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr char16_t kManifest[] = u"META-INF/MANIFEST.MF";
const WideString kJar = u"C:\\apps\\app.jar";

struct Archive {
    FakeFiles files;
    ZipArchiveReader reader{files};

    bool open(const Bytes& bytes) {
        files.addFile(kJar, bytes);
        return reader.open(kJar);
    }
    std::optional<std::string> read(const WideString& name) {
        Bytes out{1, 2, 3};
        if (!reader.readEntry(name, out)) return std::nullopt;
        return textOf(out);
    }
};

Bytes oneEntry(ZipBuilder::Entry entry) { return ZipBuilder().add(std::move(entry)).build(); }

ZipBuilder::Entry manifest(const std::string& text, std::uint16_t method = 8) {
    ZipBuilder::Entry entry;
    entry.name = "META-INF/MANIFEST.MF";
    entry.data = bytesOf(text);
    entry.method = method;
    return entry;
}

}  // namespace

TEST(ZipArchiveReader, ReadsStoredAndDeflatedEntriesByTheirExactName) {
    Archive archive;
    ASSERT_TRUE(archive.open(ZipBuilder()
                                 .add("META-INF/", "", 0)
                                 .add("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\n\r\n", 8)
                                 .add("a/b.txt", std::string(5000, 'b'), 0)
                                 .build()));
    EXPECT_EQ(archive.read(kManifest), "Manifest-Version: 1.0\r\n\r\n");
    EXPECT_EQ(archive.read(u"a/b.txt"), std::string(5000, 'b'));
    EXPECT_EQ(archive.read(u"META-INF/"), "");
    EXPECT_EQ(archive.read(u"meta-inf/manifest.mf"), std::nullopt);
    EXPECT_EQ(archive.read(u"a\\b.txt"), std::nullopt);
    EXPECT_EQ(archive.read(u"a/b.tx"), std::nullopt);
    EXPECT_TRUE(archive.reader.isOpen());
}

TEST(ZipArchiveReader, AFailedReadLeavesTheOutputEmptyAndTheArchiveOpen) {
    Archive archive;
    ASSERT_TRUE(archive.open(oneEntry(manifest("x"))));
    Bytes out{1, 2, 3};
    EXPECT_FALSE(archive.reader.readEntry(u"absent", out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(archive.reader.readEntry(kManifest, out));
    EXPECT_EQ(out, bytesOf("x"));

    // Data that was read, or inflated, and then failed its check is not handed out.
    QUILLMONT_NEEDS_TESTDATA();
    FakeFiles files;
    files.addFile(kJar, readTestdata("zip/libzip/broken.zip"));
    ZipArchiveReader broken(files);
    ASSERT_TRUE(broken.open(kJar));
    for (const char16_t* name : {u"storedcrcerror", u"deflatecrcerror", u"deflatezliberror"}) {
        out = {1, 2, 3};
        EXPECT_FALSE(broken.readEntry(name, out));
        EXPECT_TRUE(out.empty());
    }
    EXPECT_TRUE(broken.readEntry(u"storedok", out));
}

TEST(ZipArchiveReader, NamesCompareTheLowByteOfEachUnit) {
    Archive archive;
    ASSERT_TRUE(archive.open(ZipBuilder().add("caf\xE9.txt", "latin", 0).build()));
    EXPECT_EQ(archive.read(u"caf\u00E9.txt"), "latin");
    EXPECT_EQ(archive.read(u"caf\u01E9.txt"), "latin");  // only the low eight bits count
}

// Info-ZIP, macOS, 7-Zip, WinRAR and WinZip all write another extra field into
// the local header than into the central record.
TEST(ZipArchiveReader, TheDataStartsAfterTheLocalHeadersOwnNameAndExtraField) {
    for (auto [local, central] : {std::pair{28, 24}, std::pair{16, 12}, std::pair{0, 36}, std::pair{36, 0}}) {
        for (int method : {0, 8}) {
            ZipBuilder::Entry entry = manifest("MIDlet-Name: x\r\n", static_cast<std::uint16_t>(method));
            entry.localExtra = static_cast<std::size_t>(local);
            entry.centralExtra = static_cast<std::size_t>(central);
            Archive archive;
            ASSERT_TRUE(archive.open(oneEntry(entry)));
            EXPECT_EQ(archive.read(kManifest), "MIDlet-Name: x\r\n") << local << "/" << central << " " << method;
        }
    }
}

TEST(ZipArchiveReader, AnEntryWithoutALocalHeaderIsRefused) {
    ZipBuilder::Entry entry = manifest("x");
    entry.localSignature = false;
    Archive archive;
    ASSERT_TRUE(archive.open(oneEntry(entry)));
    EXPECT_EQ(archive.read(kManifest), std::nullopt);
}

TEST(ZipArchiveReader, TheVersionNeededIsItsLowByte) {
    struct Case {
        std::uint16_t version;
        bool readable;
    };
    for (const Case& c : {Case{10, true}, Case{20, true}, Case{0x030A, true}, Case{0x0B14, true}, Case{21, false},
                          Case{45, false}, Case{0x032D, false}}) {
        ZipBuilder::Entry entry = manifest("x");
        entry.versionNeeded = c.version;
        Archive archive;
        ASSERT_TRUE(archive.open(oneEntry(entry)));
        EXPECT_EQ(archive.read(kManifest).has_value(), c.readable) << std::hex << c.version;
    }
}

TEST(ZipArchiveReader, EncryptedEntriesAndOtherMethodsAreRefused) {
    for (auto [flags, method] : {std::pair<std::uint16_t, std::uint16_t>{1, 8}, {1, 0}, {0, 12}, {0, 14}, {0, 9}}) {
        ZipBuilder::Entry entry = manifest("x", method);
        entry.flags = flags;
        Archive archive;
        ASSERT_TRUE(archive.open(oneEntry(entry)));
        EXPECT_EQ(archive.read(kManifest), std::nullopt) << flags << " " << method;
    }
    ZipBuilder::Entry descriptorFlag = manifest("x");
    descriptorFlag.flags = 0x0808;  // data descriptor and UTF-8 names: both fine
    Archive archive;
    ASSERT_TRUE(archive.open(oneEntry(descriptorFlag)));
    EXPECT_EQ(archive.read(kManifest), "x");
}

TEST(ZipArchiveReader, WrongSizesAndAlteredDataAreRefused) {
    const std::string text(300, 'm');
    std::vector<std::pair<const char*, ZipBuilder::Entry>> cases;
    auto add = [&](const char* claim, auto change) {
        ZipBuilder::Entry entry = manifest(text);
        change(entry);
        cases.push_back({claim, entry});
    };
    add("larger uncompressed size", [](auto& e) { e.uncompressedSize = 301; });
    add("smaller uncompressed size", [](auto& e) { e.uncompressedSize = 299; });
    add("shorter compressed size", [](auto& e) { e.compressedSize = 3; });
    add("wrong CRC", [](auto& e) { e.crc = 12345; });
    add("stored, wrong CRC", [](auto& e) {
        e.method = 0;
        e.crc = 1;
    });
    for (const auto& [claim, entry] : cases) {
        Archive archive;
        ASSERT_TRUE(archive.open(oneEntry(entry))) << claim;
        EXPECT_EQ(archive.read(kManifest), std::nullopt) << claim;
    }
    // Data altered after it was written: the CRC no longer matches.
    Bytes bytes = ZipBuilder().add("a", std::string(100, 'a'), 0).build();
    bytes[40] = 'b';
    Archive altered;
    ASSERT_TRUE(altered.open(bytes));
    EXPECT_EQ(altered.read(u"a"), std::nullopt);
}

TEST(ZipArchiveReader, AnEmptyStoredOrDeflatedEntryReadsAsNothing) {
    for (int method : {0, 8}) {
        Archive archive;
        ASSERT_TRUE(archive.open(oneEntry(manifest("", static_cast<std::uint16_t>(method)))));
        EXPECT_EQ(archive.read(kManifest), "") << method;
    }
}

TEST(ZipArchiveReader, TheFirstOfTwoEntriesWithOneNameIsRead) {
    Archive archive;
    ASSERT_TRUE(archive.open(ZipBuilder().add("dup", "first").add("dup", "second").build()));
    EXPECT_EQ(archive.read(u"dup"), "first");
}

TEST(ZipArchiveReader, TheEndRecordMustEndTheFileExactly) {
    Archive tooShort;
    EXPECT_FALSE(tooShort.open(Bytes(21, 0)));

    ZipBuilder emptyArchive;
    const Bytes empty = emptyArchive.build();
    ASSERT_EQ(empty.size(), 22u);
    Archive onlyEnd;
    EXPECT_TRUE(onlyEnd.open(empty));
    EXPECT_EQ(onlyEnd.read(kManifest), std::nullopt);

    ZipBuilder longComment;
    longComment.add("a", "x");
    longComment.archiveComment = std::string(65535, 'c');
    Archive commented;
    ASSERT_TRUE(commented.open(longComment.build()));
    EXPECT_EQ(commented.read(u"a"), "x");

    Bytes appended = ZipBuilder().add("a", "x").build();
    appended.push_back(0);
    Archive junk;
    EXPECT_FALSE(junk.open(appended));
    EXPECT_FALSE(junk.reader.isOpen());
    EXPECT_EQ(junk.files.openReaders(), 0);
}

TEST(ZipArchiveReader, ACommentHoldingAnEndRecordDoesNotFoolTheSearch) {
    // The first candidate from the front whose comment reaches the end wins:
    // here that is the real record, whose comment is a fake record.
    const Bytes inner = ZipBuilder().build();
    ZipBuilder outer;
    outer.add("a", "x");
    outer.archiveComment = textOf(inner);
    Archive archive;
    ASSERT_TRUE(archive.open(outer.build()));
    EXPECT_EQ(archive.read(u"a"), "x");
}

TEST(ZipArchiveReader, SpannedArchivesAreRefused) {
    ZipBuilder spanned;
    spanned.add("a", "x");
    spanned.diskNumber = 1;
    Archive disks;
    EXPECT_FALSE(disks.open(spanned.build()));
    ZipBuilder split;
    split.add("a", "x");
    split.entriesOnDisk = 0;
    Archive entries;
    EXPECT_FALSE(entries.open(split.build()));
}

// A 100-byte file must not make the reader allocate gigabytes.
TEST(ZipArchiveReader, DeclaredSizesThatCannotLieInsideTheFileAreRefusedBeforeAllocating) {
    ZipBuilder hugeDirectory;
    hugeDirectory.add("a", "x");
    hugeDirectory.directorySize = 0x7FFFFFFF;
    Archive directory;
    EXPECT_FALSE(directory.open(hugeDirectory.build()));

    ZipBuilder beyondEnd;
    beyondEnd.add("a", "x");
    beyondEnd.directoryOffset = 0x10000000;
    Archive offset;
    EXPECT_FALSE(offset.open(beyondEnd.build()));

    ZipBuilder allOnes;
    allOnes.add("a", "x");
    allOnes.directorySize = 0xFFFFFFFF;
    Archive zip64;
    EXPECT_FALSE(zip64.open(allOnes.build()));

    std::vector<std::pair<const char*, ZipBuilder::Entry>> entries;
    auto add = [&](const char* claim, auto change) {
        ZipBuilder::Entry entry = manifest("small");
        change(entry);
        entries.push_back({claim, entry});
    };
    add("compressed data beyond the end", [](auto& e) { e.compressedSize = 0xFFFFFFF0; });
    add("a stored entry larger than the file", [](auto& e) {
        e.method = 0;
        e.uncompressedSize = 0x40000000;
    });
    add("above the bound", [](auto& e) { e.uncompressedSize = ZipArchiveReader::kMaxEntrySize + 1; });
    add("local header beyond the end", [](auto& e) { e.localHeaderOffset = 0xFFFFFF00; });
    for (const auto& [claim, entry] : entries) {
        Archive archive;
        ASSERT_TRUE(archive.open(oneEntry(entry))) << claim;
        EXPECT_EQ(archive.read(kManifest), std::nullopt) << claim;
    }
}

TEST(ZipArchiveReader, AnEntryOfExactlyTheBoundIsRead) {
    ZipBuilder::Entry entry;
    entry.name = "big";
    entry.data = Bytes(ZipArchiveReader::kMaxEntrySize, 'z');
    entry.method = 0;
    Archive archive;
    ASSERT_TRUE(archive.open(oneEntry(entry)));
    Bytes out;
    EXPECT_TRUE(archive.reader.readEntry(u"big", out));
    EXPECT_EQ(out.size(), ZipArchiveReader::kMaxEntrySize);
}

// Compressed data of several pieces is inflated across every piece boundary;
// what is wrong anywhere in it (a damaged byte in the middle, a declared size
// that ends or overruns the stream, or one too small for it) is refused.
TEST(ZipArchiveReader, ADeflatedEntryOfManyPiecesIsInflatedAcrossThemAndChecked) {
    constexpr std::uint32_t piece = ZipArchiveReader::kInflatePiece;
    ZipBuilder::Entry entry;
    entry.name = "big.txt";
    for (std::uint32_t i = 0, seed = 1; i < 6 * piece; ++i) {  // random letters: about half as long deflated
        seed = seed * 1103515245 + 12345;
        entry.data.push_back(static_cast<std::uint8_t>('a' + (seed >> 16) % 16));
    }
    const auto compressed = static_cast<std::uint32_t>(ZipBuilder::deflated(entry.data).size());
    ASSERT_GT(compressed, 2 * piece);
    Bytes damaged = oneEntry(entry);
    damaged[30 + entry.name.size() + piece + piece / 2] ^= 0x55;  // inside the second piece
    auto declaring = [&](std::optional<std::uint32_t> ZipBuilder::Entry::*size, std::uint32_t value) {
        ZipBuilder::Entry changed = entry;
        changed.*size = value;
        return oneEntry(changed);
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"whole", oneEntry(entry)},
        {"damaged in the middle", damaged},
        {"ending at a piece boundary", declaring(&ZipBuilder::Entry::compressedSize, 2 * piece)},
        {"beyond the stream's end", declaring(&ZipBuilder::Entry::compressedSize, compressed + 1)},
        {"one short", declaring(&ZipBuilder::Entry::uncompressedSize, 6 * piece - 1)},
    };
    for (const auto& [claim, bytes] : cases) {
        Archive archive;
        ASSERT_TRUE(archive.open(bytes)) << claim;
        const bool whole = claim == cases[0].first;
        Bytes out;
        EXPECT_EQ(archive.reader.readEntry(u"big.txt", out), whole) << claim;
        EXPECT_EQ(out, whole ? entry.data : Bytes{}) << claim;
    }
}

TEST(ZipArchiveReader, ABrokenDirectoryStopsTheWalk) {
    // A record after the first whose signature is wrong hides what follows it.
    Bytes bytes = ZipBuilder().add("a", "1").add("b", "2").build();
    const std::size_t second = textOf(bytes).rfind(std::string("PK\x01\x02", 4));
    bytes[second + 3] = 0x09;
    Archive archive;
    ASSERT_TRUE(archive.open(bytes));
    EXPECT_EQ(archive.read(u"a"), "1");
    EXPECT_EQ(archive.read(u"b"), std::nullopt);
}

// The directory is walked through a buffer of its own size: records that straddle
// two fillings, records larger than the buffer, a name as long as a name can be,
// and look-ups that start the walk over after the buffer has moved on.
TEST(ZipArchiveReader, ADirectoryLargerThanTheBufferIsWalkedInPiecesToItsEnd) {
    auto nameOf = [](int i) { return "classes/Entry" + std::to_string(i) + ".class"; };
    ZipBuilder builder;
    for (int i = 0; i < 3000; ++i) {
        ZipBuilder::Entry entry;
        entry.name = nameOf(i);
        entry.data = bytesOf(std::to_string(i));
        entry.method = 0;
        if (i % 1000 == 500) {
            entry.centralExtra = 0xFFFF;
            entry.comment = std::string(0xFFFF, 'c');
        }
        builder.add(std::move(entry));
    }
    const std::string longest(0xFFFF, 'n');
    builder.add(longest, "longest", 0);
    const Bytes bytes = builder.build();

    Archive archive;
    ASSERT_TRUE(archive.open(bytes));
    for (int i : {2999, 0, 1500, 500, 501, 2000, 2999, 0, 1}) {
        EXPECT_EQ(archive.read(ascii(nameOf(i).c_str())), std::to_string(i)) << i;
    }
    EXPECT_EQ(archive.read(ascii(longest.c_str())), "longest");
    EXPECT_EQ(archive.read(ascii(longest.substr(1).c_str())), std::nullopt);
    EXPECT_EQ(archive.read(u"classes/Entry3000.class"), std::nullopt);

    // A broken record far into the directory hides what follows it, and only that.
    Bytes broken = bytes;
    const std::size_t record = textOf(broken).rfind(nameOf(2500)) - 46;
    ASSERT_EQ(textOf(broken).substr(record, 4), std::string("PK\x01\x02", 4));
    broken[record + 3] = 0x09;
    Archive damaged;
    ASSERT_TRUE(damaged.open(broken));
    EXPECT_EQ(damaged.read(ascii(nameOf(2499).c_str())), "2499");
    EXPECT_EQ(damaged.read(ascii(nameOf(2500).c_str())), std::nullopt);
    EXPECT_EQ(damaged.read(ascii(longest.c_str())), std::nullopt);
    EXPECT_EQ(damaged.read(ascii(nameOf(0).c_str())), "0");
}

TEST(ZipArchiveReader, OpeningAgainClosesTheFirstArchiveAndClosingForgetsIt) {
    Archive archive;
    ASSERT_TRUE(archive.open(oneEntry(manifest("one"))));
    archive.files.addFile(u"C:\\apps\\two.jar", oneEntry(manifest("two")));
    ASSERT_TRUE(archive.reader.open(u"C:\\apps\\two.jar"));
    EXPECT_EQ(archive.files.openReaders(), 1);
    EXPECT_EQ(archive.read(kManifest), "two");
    archive.reader.close();
    archive.reader.close();
    EXPECT_EQ(archive.files.openReaders(), 0);
    EXPECT_EQ(archive.read(kManifest), std::nullopt);
    EXPECT_FALSE(archive.reader.open(u"C:\\apps\\gone.jar"));
}

TEST(ZipArchiveReader, RealMidletSuitesGiveTheirManifests) {
    QUILLMONT_NEEDS_TESTDATA();
    for (const char* name : {"j2me/miniTruco.jar", "j2me/miniTrucoLight.jar", "j2me/FPlay.jar"}) {
        Archive archive;
        ASSERT_TRUE(archive.open(readTestdata(name))) << name;
        const std::optional<std::string> text = archive.read(kManifest);
        ASSERT_TRUE(text) << name;
        EXPECT_NE(text->find("MIDlet-1: "), std::string::npos) << name;
    }
}
