#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "files_contract.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

class FilesContract : public ::testing::Test {
protected:
    std::unique_ptr<FilesHarness> harness = makeFilesHarness();
    Files& files = harness->files();
    const WideString folder = harness->folder();

    WideString at(const WideString& name) const { return folder + u"\\" + name; }
    bool write(const WideString& path, std::string_view text) {
        const Bytes bytes(text.begin(), text.end());
        return files.createAndWrite(path, bytes);
    }
    bool readOnly(const WideString& path) {
        std::optional<FileAttributes> found = files.attributes(path);
        return found && found->readOnly;
    }
    bool isFolder(const WideString& path) {
        std::optional<FileAttributes> found = files.attributes(path);
        return found && found->directory;
    }
};

std::string readText(ReadableFile& file, std::uint64_t offset, std::size_t count) {
    std::string text(count, '\0');
    std::span<std::uint8_t> buffer(reinterpret_cast<std::uint8_t*>(text.data()), text.size());
    std::optional<std::size_t> read = file.readAt(offset, buffer);
    if (!read) return "<failed>";
    text.resize(*read);
    return text;
}

}  // namespace

TEST_F(FilesContract, AnOpenFileReadsFromAnyOffset) {
    harness->makeFile(at(u"app.jad"), "0123456789");
    std::unique_ptr<ReadableFile> file = files.openForReading(at(u"app.jad"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), 10u);
    EXPECT_EQ(readText(*file, 3, 4), "3456");
    EXPECT_EQ(readText(*file, 8, 4), "89");
    EXPECT_EQ(readText(*file, 10, 4), "");
    EXPECT_EQ(readText(*file, 1000, 4), "");
    EXPECT_EQ(readText(*file, 0, 4), "0123");  // back again after reading further on
    EXPECT_EQ(readText(*file, 0, 0), "");

    harness->makeFile(at(u"empty.jad"), "");
    std::unique_ptr<ReadableFile> empty = files.openForReading(at(u"empty.jad"));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->size(), 0u);
    EXPECT_EQ(readText(*empty, 0, 4), "");
}

TEST_F(FilesContract, ReadersShareAFileAndReadOnlyFilesOpen) {
    harness->makeFile(at(u"app.jar"), "PK", true);
    std::unique_ptr<ReadableFile> first = files.openForReading(at(u"app.jar"));
    std::unique_ptr<ReadableFile> second = files.openForReading(at(u"app.jar"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(readText(*second, 0, 8), "PK");
    EXPECT_EQ(readText(*first, 1, 8), "K");
}

// Each failure leaves the system's reason, which the messages show.
TEST_F(FilesContract, MissingFilesAndFoldersDoNotOpenForReading) {
    EXPECT_EQ(files.openForReading(at(u"missing.jad")), nullptr);
    EXPECT_FALSE(files.failureReason().empty());
    EXPECT_EQ(files.openForReading(at(u"missing\\app.jad")), nullptr);
    harness->makeFolder(at(u"app.jar"));
    EXPECT_EQ(files.openForReading(at(u"app.jar")), nullptr);
    EXPECT_EQ(files.openForReading(folder), nullptr);
}

TEST_F(FilesContract, PathsIgnoreCaseAndTakeForwardSlashesAndDots) {
    harness->makeFolder(at(u"lib"));
    ASSERT_TRUE(write(folder + u"\\lib/App.jar", "PK"));
    EXPECT_EQ(harness->contents(at(u"lib\\App.jar")), "PK");
    EXPECT_NE(files.openForReading(at(u"LIB\\app.JAR")), nullptr);
    EXPECT_NE(files.openForReading(at(u"lib\\..\\lib\\.\\app.jar")), nullptr);
    // Jars named relative to their descriptors, joined the way the opening flows
    // do. Wine's PathCombineW takes "../" as a step up, Windows may leave it to
    // the file system; either way the same file opens.
    EXPECT_NE(files.openForReading(files.combinePath(folder + u"\\", u"lib/App.jar")), nullptr);
    EXPECT_NE(files.openForReading(files.combinePath(folder + u"\\lib\\", u"../lib/App.jar")), nullptr);
    EXPECT_TRUE(isFolder(at(u"LIB")));
}

TEST_F(FilesContract, CreatingWritesTheBytesAndTruncatesALongerFile) {
    const WideString path = at(u"app.jad");
    ASSERT_TRUE(write(path, "MIDlet-Name: the first and longer text"));
    EXPECT_EQ(harness->contents(path), "MIDlet-Name: the first and longer text");
    EXPECT_FALSE(readOnly(path));
    ASSERT_TRUE(write(path, "short"));
    EXPECT_EQ(harness->contents(path), "short");
    ASSERT_TRUE(write(path, ""));
    EXPECT_EQ(harness->contents(path), "");
}

// Windows refuses to write, copy or move over a read-only file. Wine keeps the
// flag as the Unix write permissions: run as root, as the tests are, it writes
// and copies over such a file all the same, and it moves over one as any user.
// Those refusals are therefore the fake's alone; the opening flows look at the
// flag themselves before they write or copy.

TEST_F(FilesContract, CreatingFailsWhereNoFileCanBeWritten) {
    harness->makeFolder(at(u"folder.jad"));
    EXPECT_FALSE(write(at(u"folder.jad"), "new"));
    EXPECT_TRUE(isFolder(at(u"folder.jad")));

    EXPECT_FALSE(write(at(u"missing\\app.jad"), "new"));
    EXPECT_FALSE(files.failureReason().empty());
    EXPECT_FALSE(files.attributes(at(u"missing")).has_value());
}

TEST_F(FilesContract, AFileOpenForReadingIsRewrittenOnlyOnceItIsClosed) {
    const WideString path = at(u"app.jad");
    harness->makeFile(path, "old");
    {
        std::unique_ptr<ReadableFile> reader = files.openForReading(path);
        ASSERT_NE(reader, nullptr);
        EXPECT_FALSE(write(path, "new"));
        EXPECT_EQ(readText(*reader, 0, 8), "old");
    }
    EXPECT_TRUE(write(path, "new"));
    EXPECT_EQ(harness->contents(path), "new");
}

TEST_F(FilesContract, AttributesTellFilesFromFoldersAndReadOnlyFiles) {
    harness->makeFile(at(u"plain.jad"), "x");
    harness->makeFile(at(u"locked.jad"), "x", true);
    harness->makeFolder(at(u"sub"));
    EXPECT_FALSE(files.attributes(at(u"missing.jad")).has_value());

    std::optional<FileAttributes> plain = files.attributes(at(u"plain.jad"));
    ASSERT_TRUE(plain.has_value());
    EXPECT_FALSE(plain->directory);
    EXPECT_FALSE(plain->readOnly);
    std::optional<FileAttributes> locked = files.attributes(at(u"locked.jad"));
    ASSERT_TRUE(locked.has_value());
    EXPECT_FALSE(locked->directory);
    EXPECT_TRUE(locked->readOnly);
    for (const WideString& path : {at(u"sub"), at(u"sub\\")}) {
        std::optional<FileAttributes> sub = files.attributes(path);
        ASSERT_TRUE(sub.has_value());
        EXPECT_TRUE(sub->directory);
        EXPECT_FALSE(sub->readOnly);
    }
}

TEST_F(FilesContract, ClearingReadOnlyMakesAFileWritableAgain) {
    harness->makeFile(at(u"locked.jad"), "old", true);
    EXPECT_TRUE(files.clearReadOnly(at(u"locked.jad")));
    EXPECT_FALSE(readOnly(at(u"locked.jad")));
    EXPECT_TRUE(write(at(u"locked.jad"), "new"));

    harness->makeFile(at(u"plain.jad"), "x");
    EXPECT_TRUE(files.clearReadOnly(at(u"plain.jad")));
    EXPECT_FALSE(readOnly(at(u"plain.jad")));
    EXPECT_FALSE(files.clearReadOnly(at(u"missing.jad")));
}

TEST_F(FilesContract, CopyingReplacesTheTargetAndKeepsTheSource) {
    harness->makeFile(at(u"new.jad"), "new");
    harness->makeFile(at(u"app.jad"), "old and longer");
    EXPECT_TRUE(files.copyFile(at(u"new.jad"), at(u"app.jad")));
    EXPECT_EQ(harness->contents(at(u"app.jad")), "new");
    EXPECT_EQ(harness->contents(at(u"new.jad")), "new");
    EXPECT_TRUE(files.copyFile(at(u"new.jad"), at(u"free.jad")));
    EXPECT_EQ(harness->contents(at(u"free.jad")), "new");

    // The copy takes the source's attributes along.
    harness->makeFile(at(u"locked.jad"), "locked", true);
    EXPECT_TRUE(files.copyFile(at(u"locked.jad"), at(u"copy.jad")));
    EXPECT_EQ(harness->contents(at(u"copy.jad")), "locked");
    EXPECT_TRUE(readOnly(at(u"copy.jad")));
}

TEST_F(FilesContract, CopyingFailsOntoAnOpenFileAndFromAMissingOne) {
    harness->makeFile(at(u"new.jad"), "new");
    harness->makeFile(at(u"open.jad"), "old");
    {
        std::unique_ptr<ReadableFile> reader = files.openForReading(at(u"open.jad"));
        ASSERT_NE(reader, nullptr);
        EXPECT_FALSE(files.copyFile(at(u"new.jad"), at(u"open.jad")));
    }
    EXPECT_EQ(harness->contents(at(u"open.jad")), "old");

    EXPECT_FALSE(files.copyFile(at(u"missing.jad"), at(u"target.jad")));
    EXPECT_FALSE(harness->contents(at(u"target.jad")).has_value());
}

TEST_F(FilesContract, ReplacingMovesTheFileOverTheTargetOrToAFreeName) {
    harness->makeFile(at(u"app.jad.new"), "new");
    harness->makeFile(at(u"app.jad"), "old and longer");
    EXPECT_TRUE(files.replaceFile(at(u"app.jad.new"), at(u"app.jad")));
    EXPECT_EQ(harness->contents(at(u"app.jad")), "new");
    EXPECT_FALSE(files.attributes(at(u"app.jad.new")).has_value());

    EXPECT_TRUE(files.replaceFile(at(u"app.jad"), at(u"free.jad")));
    EXPECT_EQ(harness->contents(at(u"free.jad")), "new");
    EXPECT_FALSE(files.attributes(at(u"app.jad")).has_value());
}

TEST_F(FilesContract, ReplacingFailsWhileEitherFileIsOpenForReading) {
    harness->makeFile(at(u"app.jad.new"), "new");
    harness->makeFile(at(u"app.jad"), "old");
    for (const WideString& open : {at(u"app.jad.new"), at(u"app.jad")}) {
        std::unique_ptr<ReadableFile> reader = files.openForReading(open);
        ASSERT_NE(reader, nullptr);
        EXPECT_FALSE(files.replaceFile(at(u"app.jad.new"), at(u"app.jad")));
        EXPECT_EQ(harness->contents(at(u"app.jad")), "old");
        EXPECT_EQ(harness->contents(at(u"app.jad.new")), "new");
    }
    EXPECT_FALSE(files.replaceFile(at(u"missing.jad"), at(u"target.jad")));
    EXPECT_FALSE(harness->contents(at(u"target.jad")).has_value());
}

TEST_F(FilesContract, DeletingRemovesOnlyAFileThatIsWritableAndClosed) {
    harness->makeFile(at(u"plain.jad"), "x");
    EXPECT_TRUE(files.deleteFile(at(u"plain.jad")));
    EXPECT_FALSE(files.attributes(at(u"plain.jad")).has_value());
    EXPECT_FALSE(files.deleteFile(at(u"plain.jad")));

    harness->makeFile(at(u"locked.jad"), "x", true);
    EXPECT_FALSE(files.deleteFile(at(u"locked.jad")));
    EXPECT_EQ(harness->contents(at(u"locked.jad")), "x");

    harness->makeFile(at(u"open.jad"), "x");
    std::unique_ptr<ReadableFile> reader = files.openForReading(at(u"open.jad"));
    ASSERT_NE(reader, nullptr);
    EXPECT_FALSE(files.deleteFile(at(u"open.jad")));
    EXPECT_EQ(harness->contents(at(u"open.jad")), "x");
}

TEST_F(FilesContract, AFolderIsCreatedOnlyInOneThatExistsAndOnlyOnce) {
    EXPECT_FALSE(files.createFolder(at(u"missing\\child")));
    EXPECT_FALSE(files.attributes(at(u"missing")).has_value());
    EXPECT_TRUE(files.createFolder(at(u"Saves")));
    EXPECT_TRUE(isFolder(at(u"saves")));
    EXPECT_FALSE(files.createFolder(at(u"SAVES")));
    harness->makeFile(at(u"taken"), "x");
    EXPECT_FALSE(files.createFolder(at(u"taken")));
}

TEST_F(FilesContract, TheTemporaryFolderIsAnExistingFolderEndingInABackslash) {
    const WideString temporary = files.temporaryFolder();
    ASSERT_FALSE(temporary.empty());
    EXPECT_EQ(temporary.back(), u'\\');
    std::optional<FileAttributes> found = files.attributes(temporary);
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->directory);
}

// The short form is for a program that reads its command line in the ANSI
// code page: whatever it looks like, it names the same file.
TEST_F(FilesContract, AShortPathNamesTheSameFileAndAMissingOneIsNothing) {
    const WideString games = at(u"\u0418\u0433\u0440\u044b \u6e38\u620f");
    harness->makeFolder(games);
    harness->makeFile(games + u"\\game.jar", "PK");
    const WideString shortened = files.shortPath(games + u"\\game.jar");
    ASSERT_FALSE(shortened.empty());
    EXPECT_EQ(harness->contents(shortened), "PK");
    EXPECT_EQ(files.shortPath(games + u"\\gone.jar"), u"");
}

namespace {

struct Combination {
    const char16_t* folder;
    const char16_t* more;
    const char16_t* combined;
};

void PrintTo(const Combination& path, std::ostream* out) {
    auto narrow = [](const char16_t* text) {
        std::string result;
        for (; *text != u'\0'; ++text) result.push_back(static_cast<char>(*text));
        return result;
    };
    *out << '"' << narrow(path.folder) << "\" + \"" << narrow(path.more) << '"';
}

const Combination kCombinations[] = {
    {u"C:\\jads\\", u"app.jar", u"C:\\jads\\app.jar"},
    {u"C:\\jads", u"app.jar", u"C:\\jads\\app.jar"},
    {u"C:\\jads\\", u"D:\\other\\app.jar", u"D:\\other\\app.jar"},
    {u"C:\\jads\\sub\\", u"\\root\\app.jar", u"C:\\root\\app.jar"},
    {u"C:\\jads\\", u"lib/sub/app.jar", u"C:\\jads\\lib/sub/app.jar"},
    {u"C:\\jads\\", u".\\app.jar", u"C:\\jads\\app.jar"},
    {u"C:\\jads\\sub\\", u"..\\app.jar", u"C:\\jads\\app.jar"},
    {u"C:\\jads\\", u"..\\..\\..\\app.jar", u"C:\\app.jar"},
    {u"", u"app.jar", u"app.jar"},
};

class FilesContractPaths : public ::testing::TestWithParam<Combination> {
protected:
    std::unique_ptr<FilesHarness> harness = makeFilesHarness();
};

}  // namespace

TEST_P(FilesContractPaths, JoinsLikePathCombine) {
    EXPECT_EQ(harness->files().combinePath(GetParam().folder, GetParam().more), GetParam().combined);
}

INSTANTIATE_TEST_SUITE_P(Combine, FilesContractPaths, ::testing::ValuesIn(kCombinations),
                         [](const auto& path) { return "Path" + std::to_string(path.index); });

// PathCombineW gives up at MAX_PATH characters; the port goes on by its rules.
TEST_F(FilesContract, ACombinationLongerThanMaxPathFollowsTheSameRules) {
    const WideString jads = u"C:\\jads\\";
    const WideString deep = WideString(400, u'a');
    EXPECT_EQ(files.combinePath(jads, deep + u".jar"), jads + deep + u".jar");
    EXPECT_EQ(files.combinePath(jads + deep, u"..\\b\\.\\c.jar"), jads + u"b\\c.jar");
    EXPECT_EQ(files.combinePath(jads + deep, u"\\root.jar"), u"C:\\root.jar");
    EXPECT_EQ(files.combinePath(jads + deep, u"D:\\x.jar"), u"D:\\x.jar");
}
