#include <gtest/gtest.h>

#include "core/launch/file_helpers.h"
#include "core/text/path_parts.h"
#include "fake_files.h"
#include "fake_user_interface.h"
#include "testdata.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kJad = u"C:\\suite\\app.jad";
const WideString kTemporaryJar = u"C:\\Users\\Tester\\AppData\\Local\\Temp\\qlm_temp.jar";

}  // namespace

TEST(ReadWholeFile, GivesTheBytesOfFilesUpToOneMillionBytes) {
    FakeFiles files;
    files.addFile(kJad, "MIDlet-Jar-Size: 1\n");
    files.addFile(u"C:\\big.jad", Bytes(kMaxWholeFileBytes, 'x'));
    files.addFile(u"C:\\bigger.jad", Bytes(kMaxWholeFileBytes + 1, 'x'));
    EXPECT_EQ(readWholeFile(files, kJad), bytesOf("MIDlet-Jar-Size: 1\n"));
    EXPECT_EQ(readWholeFile(files, u"C:\\big.jad")->size(), kMaxWholeFileBytes);
    EXPECT_FALSE(readWholeFile(files, u"C:\\bigger.jad"));
    EXPECT_EQ(files.openReaders(), 0);
}

TEST(ReadWholeFile, FailsOnMissingFilesFoldersUnreadableSizesAndShortReads) {
    FakeFiles files;
    files.addFolder(u"C:\\folder.jad");
    files.addFile(u"C:\\a.jad", "abc");
    files.addFile(u"C:\\b.jad", "abc");
    files.unreadableSizes.insert(FakeFiles::key(u"C:\\a.jad"));
    files.shortReads.insert(FakeFiles::key(u"C:\\b.jad"));
    for (WideString path : {u"C:\\gone.jad", u"C:\\folder.jad", u"C:\\a.jad"})
        EXPECT_FALSE(readWholeFile(files, path));
    // The file ends before its size says (it shrank while being read).
    EXPECT_FALSE(readWholeFile(files, u"C:\\b.jad"));
    EXPECT_EQ(readWholeFile(files, u"C:\\empty.jad"), std::nullopt);
    files.addFile(u"C:\\empty.jad", "");
    EXPECT_EQ(readWholeFile(files, u"C:\\empty.jad"), Bytes{});
}

TEST(WriteWholeFile, ReplacesOrCreatesTheFileAndLeavesNothingElseBehind) {
    FakeFiles files;
    files.addFile(kJad, "a much longer old content\n");
    EXPECT_TRUE(writeWholeFile(files, kJad, bytesOf("new\n")));
    EXPECT_EQ(files.contents(kJad), bytesOf("new\n"));
    EXPECT_TRUE(writeWholeFile(files, u"C:\\suite\\fresh.jad", bytesOf("x")));
    EXPECT_EQ(files.filePaths(), (std::set<WideString>{u"c:\\suite\\app.jad", u"c:\\suite\\fresh.jad"}));
}

// A write that fails halfway (a full disk, a device that went away) or a replace
// that fails must leave the old descriptor exactly as it was.
TEST(WriteWholeFile, TheOldFileSurvivesAFailureAtEveryStep) {
    const Bytes old = bytesOf("MIDlet-Jar-Size: 1\nMIDlet-Jar-URL: app.jar\n");
    const Bytes fresh = bytesOf("MIDlet-Jar-Size: 2\nMIDlet-Jar-URL: app.jar\n");
    for (std::size_t cut = 0; cut < fresh.size(); cut += 7) {
        FakeFiles files;
        files.addFile(kJad, old);
        files.bytesBeforeWriteFailure = cut;
        EXPECT_FALSE(writeWholeFile(files, kJad, fresh));
        EXPECT_EQ(files.contents(kJad), old) << cut;
        EXPECT_EQ(files.filePaths().size(), 1u) << "the unfinished new file is removed";
    }
    FakeFiles files;
    files.addFile(kJad, old);
    files.failReplace = true;
    EXPECT_FALSE(writeWholeFile(files, kJad, fresh));
    EXPECT_EQ(files.contents(kJad), old);
    EXPECT_EQ(files.filePaths().size(), 1u);
}

TEST(WriteWholeFile, RefusesReadOnlyFilesFoldersAndMissingFolders) {
    FakeFiles files;
    files.addFile(kJad, "old", true);
    files.addFolder(u"C:\\suite\\folder.jad");
    EXPECT_FALSE(writeWholeFile(files, kJad, bytesOf("new")));
    EXPECT_EQ(files.contents(kJad), bytesOf("old"));
    EXPECT_FALSE(writeWholeFile(files, u"C:\\suite\\folder.jad", bytesOf("new")));
    EXPECT_FALSE(writeWholeFile(files, u"C:\\gone\\app.jad", bytesOf("new")));
    EXPECT_EQ(files.filePaths().size(), 1u);
}

TEST(SplitPath, SplitsAtTheLastSeparatorAndTheLastFullStopAfterIt) {
    auto parts = [](const WideString& path) {
        const PathParts p = splitPath(path);
        return std::vector<WideString>{p.folder, p.baseName, p.extension};
    };
    EXPECT_EQ(parts(u"C:\\a b\\app.v2.jar"), (std::vector<WideString>{u"C:\\a b\\", u"app.v2", u".jar"}));
    EXPECT_EQ(parts(u"app.jar"), (std::vector<WideString>{u"", u"app", u".jar"}));
    EXPECT_EQ(parts(u"C:\\v1.0\\app"), (std::vector<WideString>{u"C:\\v1.0\\", u"app", u""}));
    EXPECT_EQ(parts(u"C:\\dir/app.jar"), (std::vector<WideString>{u"C:\\dir/", u"app", u".jar"}));
    EXPECT_EQ(parts(u"C:/files/pair/app.jad"), (std::vector<WideString>{u"C:/files/pair/", u"app", u".jad"}));
    EXPECT_EQ(parts(u"pair/v1.0/app"), (std::vector<WideString>{u"pair/v1.0/", u"app", u""}));
    EXPECT_EQ(parts(u"C:\\suite\\"), (std::vector<WideString>{u"C:\\suite\\", u"", u""}));
}

TEST(MakeTemporaryCopy, CopiesTheArchiveToTheFixedNamesInTheTemporaryFolder) {
    FakeFiles files;
    FakeUserInterface ui;
    files.addFolder(files.temporaryFolderPath);
    files.addFile(u"C:\\suite\\app.jar", "PK archive", true);
    files.addFile(kTemporaryJar, "left from before", true);
    const std::optional<TemporaryCopy> copy = makeTemporaryCopy(files, ui, u"C:\\suite\\app.jar");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->jadPath, u"C:\\Users\\Tester\\AppData\\Local\\Temp\\qlm_temp.jad");
    EXPECT_EQ(copy->jarPath, kTemporaryJar);
    EXPECT_EQ(copy->jarName, u"qlm_temp.jar");
    EXPECT_EQ(files.contents(kTemporaryJar), bytesOf("PK archive"));
    EXPECT_TRUE(ui.messages.empty());
}

// A second suite while the first one's emulator still holds the fixed pair gets
// the next numbered pair; numbered pairs go again once nothing holds them.
TEST(MakeTemporaryCopy, ANumberedPairWhileAnEmulatorHoldsTheFixedOne) {
    FakeFiles files;
    FakeUserInterface ui;
    files.addFolder(files.temporaryFolderPath);
    files.addFile(u"C:\\suite\\app.jar", "PK archive");
    ASSERT_TRUE(makeTemporaryCopy(files, ui, u"C:\\suite\\app.jar"));
    std::unique_ptr<ReadableFile> held = files.openForReading(kTemporaryJar);  // the first emulator
    std::optional<TemporaryCopy> second = makeTemporaryCopy(files, ui, u"C:\\suite\\app.jar");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->jarName, u"qlm_temp1.jar");
    EXPECT_EQ(second->jadPath, files.temporaryFolderPath + u"qlm_temp1.jad");
    EXPECT_EQ(files.contents(kTemporaryJar), bytesOf("PK archive"));  // the first one's, untouched
    held.reset();
    const std::optional<TemporaryCopy> third = makeTemporaryCopy(files, ui, u"C:\\suite\\app.jar");
    ASSERT_TRUE(third);
    EXPECT_EQ(third->jarName, u"qlm_temp.jar");
    EXPECT_FALSE(files.exists(second->jarPath));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MakeTemporaryCopy, ReportsAReadOnlyCopyThatStaysReadOnlyAndAFailedCopy) {
    FakeFiles files;
    FakeUserInterface ui;
    files.addFolder(files.temporaryFolderPath);
    files.addFile(kTemporaryJar, "left from before", true);
    files.failClearReadOnly = true;
    EXPECT_FALSE(makeTemporaryCopy(files, ui, u"C:\\suite\\app.jar"));
    files.failClearReadOnly = false;
    EXPECT_FALSE(makeTemporaryCopy(files, ui, u"C:\\suite\\gone.jar"));
    files.temporaryFolderPath.clear();
    EXPECT_FALSE(makeTemporaryCopy(files, ui, u"C:\\suite\\app.jar"));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, u"File \"" + kTemporaryJar + u"\" access error.");
    EXPECT_EQ(ui.messages[1].text, u"File \"C:\\suite\\gone.jar\" copy error.");
    EXPECT_EQ(ui.messages[2].text, u"File \"C:\\suite\\app.jar\" copy error.");
    for (const auto& message : ui.messages) {
        EXPECT_EQ(message.kind, MessageKind::OpeningError);
        EXPECT_EQ(message.owner, kNoWindow);
    }
    EXPECT_EQ(files.contents(kTemporaryJar), bytesOf("left from before"));
}
