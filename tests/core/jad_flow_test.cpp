#include <gtest/gtest.h>

#include "core/launch/jad_flow.h"
#include "flow_world.h"
#include "testdata.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr auto J2ME = StarterKind::J2ME;
const WideString kJad = u"C:\\My Suites\\app.jad";
const WideString kJar = u"C:\\My Suites\\app.jar";
const WideString kTemp = u"C:\\Users\\Tester\\AppData\\Local\\Temp\\";
const std::string kArchive = suiteArchiveOfSize(1234);

std::string descriptor(const std::string& size, const std::string& url = "app.jar") {
    return "MIDlet-Name: App\r\nMIDlet-Jar-Size: " + size + "\r\nMIDlet-Jar-URL: " + url + "\r\nMIDlet-1: App, , a.App";
}

struct JadFlow : ::testing::Test {
    FlowWorld world;

    void SetUp() override {
        world.addStarter(J2ME, 1, u"emulator", u"-Xdescriptor:%1 -jar %2 %*");
        world.setActions(J2ME, 1, 0);
        world.files.addFolder(kTemp);
        world.files.addFile(kJar, kArchive);
    }
    bool open(const WideString& jad = kJad, bool allowDefaultAction = true, const WideString& external = u"") {
        return runJadFlow(world.context, {jad, allowDefaultAction, external});
    }
    WideString started() const { return world.processes.started.empty() ? u"" : world.processes.started.back(); }
    WideString emulatorLine(const WideString& jad, const WideString& jar) const {
        return u"\"C:\\starters\\emulator.exe\" -Xdescriptor:\"" + jad + u"\" -jar \"" + jar + u"\"";
    }
    void expectOnlyMessage(const WideString& text) {
        EXPECT_EQ(world.messageTexts(), std::vector<WideString>{text});
        EXPECT_TRUE(world.allOpeningErrors());
        EXPECT_TRUE(world.processes.attempts.empty());
    }
};

}  // namespace

TEST_F(JadFlow, AMatchingSizeStartsTheEmulatorWithoutDialogOrWrite) {
    world.files.addFile(kJad, descriptor("1234"));
    ASSERT_TRUE(open(kJad, true, u"-v"));
    EXPECT_TRUE(world.dialogs.shown.empty());
    EXPECT_EQ(started(), emulatorLine(kJad, kJar) + u" -v");
    EXPECT_EQ(world.files.contents(kJad), bytesOf(descriptor("1234")));
    EXPECT_EQ(world.storedLastAction(J2ME), 1);
}

TEST_F(JadFlow, CorrectingRewritesOnlyTheSizeLineInPlace) {
    world.files.addFile(kJad, descriptor("99"));
    world.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;
    ASSERT_TRUE(open());
    ASSERT_EQ(world.dialogs.sizeRuns.size(), 1u);
    EXPECT_EQ(world.dialogs.sizeRuns[0].jarSize, 1234u);
    EXPECT_EQ(world.dialogs.sizeRuns[0].declaredSize, 99u);
    EXPECT_EQ(world.dialogs.sizeRuns[0].owner, kNoWindow);
    EXPECT_EQ(world.files.contents(kJad), bytesOf(descriptor("1234")));
    EXPECT_EQ(started(), emulatorLine(kJad, kJar));
}

TEST_F(JadFlow, ATemporaryDescriptorLeavesTheOpenedOneUntouched) {
    world.files.addFile(kJad, descriptor("99"));
    world.dialogs.sizeAnswer = JadSizeAnswer::CreateTemporaryFile;
    ASSERT_TRUE(open());
    EXPECT_EQ(world.files.contents(kJad), bytesOf(descriptor("99")));
    EXPECT_EQ(world.files.contents(kTemp + u"qlm_temp.jar"), bytesOf(kArchive));
    EXPECT_EQ(world.files.contents(kTemp + u"qlm_temp.jad"), bytesOf(descriptor("1234", "qlm_temp.jar")));
    EXPECT_EQ(started(), emulatorLine(kTemp + u"qlm_temp.jad", kTemp + u"qlm_temp.jar"));
}

// The size alone cannot tell a broken download: the archive must open and hold
// an intact manifest before its size is compared, or else nothing is written or
// started. An intact archive of another size still gets the size dialog.
TEST_F(JadFlow, ADamagedArchiveIsNeverTrustedWhateverItsSize) {
    const std::string whole = suiteArchiveOfSize(93'739);
    std::string badManifest = suiteArchiveOfSize(1234);
    badManifest[30 + 20 + 3] ^= 0x20;  // a byte of the stored manifest, after its local header and name
    const struct {
        const char* what;
        std::string jar;
        std::string declared;
        const char16_t* cause;  // nullptr: the size dialog asks
        const char16_t* sizes;
    } cases[] = {
        {"cut short", whole.substr(0, 61'440), "93739", u"It ends before its last entry: an incomplete download.",
         u"It is 61,440 bytes, and the JAD file says 93,739."},
        {"empty", "", "93739", u"It is empty.", u"It is 0 bytes, and the JAD file says 93,739."},
        {"an error page", "<html><body>404 Not Found</body></html>", "93739", u"It is not a JAR file.",
         u"It is 39 bytes, and the JAD file says 93,739."},
        {"a damaged manifest of the right size", badManifest, "1234", u"Its manifest is missing or damaged.",
         u"It is 1,234 bytes, as the JAD file says."},
        {"intact, of another size", suiteArchiveOfSize(1234), "93739", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        FlowWorld fresh;
        fresh.addStarter(J2ME, 1, u"emulator", u"-Xdescriptor:%1 -jar %2");
        fresh.setActions(J2ME, 1, 0);
        fresh.files.addFile(kJar, c.jar);
        fresh.files.addFile(kJad, descriptor(c.declared));
        fresh.dialogs.sizeAnswer = JadSizeAnswer::Cancel;
        EXPECT_FALSE(runJadFlow(fresh.context, {kJad, true, u""})) << c.what;
        EXPECT_EQ(fresh.files.contents(kJad), bytesOf(descriptor(c.declared))) << c.what;
        EXPECT_TRUE(fresh.processes.attempts.empty()) << c.what;
        if (c.cause == nullptr) {
            EXPECT_EQ(fresh.dialogs.shown, std::vector<std::string>{"size"}) << c.what;
            continue;
        }
        EXPECT_TRUE(fresh.dialogs.shown.empty()) << c.what;
        EXPECT_EQ(fresh.messageTexts(),
                  std::vector<WideString>{u"The JAR file \"" + kJar + u"\" is damaged or incomplete.\n" + c.cause +
                                          u"\n" + c.sizes + u"\nDownload it again, then open the JAD file again."})
            << c.what;
    }
}

// Notepad's "Unicode" (UTF-16 LE) and "Unicode big endian": read, corrected in
// their own encoding with every other byte as it was (a lone surrogate and an
// odd last byte included), and a temporary copy made from one is UTF-8.
TEST_F(JadFlow, Utf16DescriptorsAreReadAndCorrectedInTheirOwnEncoding) {
    auto utf16 = [](const std::u16string& text, bool little, bool oddByte) {
        std::string bytes;
        for (const char16_t unit : u"\uFEFF" + text) {
            const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
            bytes += little ? std::string{low, high} : std::string{high, low};
        }
        return oddByte ? bytes + "!" : bytes;
    };
    auto text = [](const char16_t* size, const char16_t* url) {
        return u"MIDlet-Name: \u0418\u0433\u0440\u0430 \U0001F3AE\r\nMIDlet-Jar-Size: " + std::u16string(size) +
               u"\r\nMIDlet-Jar-URL: " + url + u"\r\nMIDlet-Note: \xD800 alone\r\n";
    };
    for (const bool little : {true, false}) {
        for (const bool oddByte : {false, true}) {
            world.files.addFile(kJad, utf16(text(u"99", u"app.jar"), little, oddByte));
            world.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;
            ASSERT_TRUE(open()) << little;
            EXPECT_EQ(world.files.contents(kJad), bytesOf(utf16(text(u"1234", u"app.jar"), little, oddByte)));
        }
        world.files.addFile(kJad, utf16(text(u"99", u"app.jar"), little, false));
        world.dialogs.sizeAnswer = JadSizeAnswer::CreateTemporaryFile;
        ASSERT_TRUE(open());
        EXPECT_EQ(world.files.contents(kTemp + u"qlm_temp.jad"),
                  bytesOf("MIDlet-Name: \xD0\x98\xD0\xB3\xD1\x80\xD0\xB0 \xF0\x9F\x8E\xAE\r\nMIDlet-Jar-Size: 1234\r\n"
                          "MIDlet-Jar-URL: qlm_temp.jar\r\nMIDlet-Note: \xED\xA0\x80 alone\r\n"));
    }
}

TEST_F(JadFlow, CancellingTheSizeDialogWritesAndStartsNothing) {
    world.files.addFile(kJad, descriptor("99"));
    const auto before = world.files.filePaths();
    EXPECT_FALSE(open());
    EXPECT_EQ(world.files.filePaths(), before);
    EXPECT_EQ(world.files.contents(kJad), bytesOf(descriptor("99")));
    EXPECT_TRUE(world.processes.attempts.empty());
    EXPECT_TRUE(world.ui.messages.empty());
}

// The read error as it always was, and on its second line why.
TEST_F(JadFlow, AMissingUnreadableOrOversizedDescriptorIsAReadErrorThatSaysWhy) {
    world.files.addFile(u"C:\\My Suites\\huge.jad", Bytes(1'000'001, ' '));
    world.files.addFolder(u"C:\\My Suites\\folder.jad");
    world.files.addFile(u"C:\\My Suites\\locked.jad", descriptor("1234"));
    world.files.unopenable.insert(FakeFiles::key(u"C:\\My Suites\\locked.jad"));
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"gone.jad", u"The file does not exist."},
        {u"huge.jad", u"It is larger than 1,000,000 bytes."},
        {u"folder.jad", u"It is a folder."},
        {u"locked.jad", u"Access is denied."},
    };
    for (const auto& [name, cause] : cases) {
        const WideString jad = u"C:\\My Suites\\" + WideString(name);
        world.ui.messages.clear();
        EXPECT_FALSE(open(jad));
        expectOnlyMessage(u"File \"" + jad + u"\" read error.\n" + cause);
    }
}

TEST_F(JadFlow, MissingOrBlankAttributesAreReported) {
    const std::pair<std::string, const char16_t*> cases[] = {
        {"MIDlet-Jar-URL: app.jar\n", u"No \"MIDlet-Jar-Size\" attribute is defined in the JAD file."},
        {"MIDlet-Jar-Size:  \t \nMIDlet-Jar-URL: app.jar\n",
         u"No \"MIDlet-Jar-Size\" attribute is defined in the JAD file."},
        {"MIDlet-Jar-Size:1234\nMIDlet-Jar-URL: app.jar\n",
         u"No \"MIDlet-Jar-Size\" attribute is defined in the JAD file."},
        {" MIDlet-Jar-Size: 1234\nMIDlet-Jar-URL: app.jar\n",
         u"No \"MIDlet-Jar-Size\" attribute is defined in the JAD file."},
        {"MIDlet-Jar-Size: 1234\n", u"No \"MIDlet-Jar-URL\" attribute is defined in the JAD file."},
        {"MIDlet-Jar-Size: 1234\nMIDlet-Jar-URL:    \n", u"No \"MIDlet-Jar-URL\" attribute is defined in the JAD file."},
    };
    for (const auto& [text, message] : cases) {
        world.files.addFile(kJad, text);
        world.ui.messages.clear();
        EXPECT_FALSE(open()) << text;
        expectOnlyMessage(message);
    }
}

TEST_F(JadFlow, TheUrlIsTrimmedAndResolvedAgainstTheDescriptorsFolder) {
    world.files.addFile(u"C:\\My Suites\\lib\\sub\\b.jar", kArchive);
    world.files.addFile(u"D:\\elsewhere\\c.jar", kArchive);
    world.files.addFile(u"C:\\root.jar", kArchive);
    const std::pair<std::string, WideString> cases[] = {
        {"   app.jar   ", kJar},
        {"lib/sub/b.jar", u"C:\\My Suites\\lib/sub/b.jar"},
        {"lib\\sub\\..\\sub\\.\\b.jar", u"C:\\My Suites\\lib\\sub\\b.jar"},
        {"D:\\elsewhere\\c.jar", u"D:\\elsewhere\\c.jar"},
        {"\\root.jar", u"C:\\root.jar"},
        {"..\\..\\root.jar", u"C:\\root.jar"},
    };
    for (const auto& [url, jar] : cases) {
        world.files.addFile(kJad, descriptor("1234", url));
        ASSERT_TRUE(open()) << url;
        EXPECT_EQ(started(), emulatorLine(kJad, jar)) << url;
    }
}

TEST_F(JadFlow, AnArchiveThatCannotBeOpenedOrSizedIsReported) {
    world.files.addFile(kJad, descriptor("1234"));
    world.files.unreadableSizes.insert(FakeFiles::key(kJar));
    EXPECT_FALSE(open());
    expectOnlyMessage(u"Invalid JAR file size.");
    EXPECT_EQ(world.files.openReaders(), 0);
}

TEST_F(JadFlow, AUrlTooLongToCombineIsReportedAsItStands) {
    const std::string longName(300, 'x');
    world.files.addFile(kJad, descriptor("1234", longName + ".jar"));
    EXPECT_FALSE(open());
    expectOnlyMessage(u"File \"C:\\My Suites\\" + ascii(longName.c_str()) + u".jar\" read error.\nThe file does not exist.");
}

TEST_F(JadFlow, TheSizeTextIsReadAsTheCLibraryReadsANumber) {
    const std::pair<std::string, std::uint32_t> cases[] = {
        {"1234abc", 1234}, {"abc", 0}, {"+1234", 1234}, {"-1", 4294967295u}, {"99999999999", 2147483647u},
    };
    for (const auto& [text, declared] : cases) {
        world.files.addFile(kJad, descriptor(text));
        world.dialogs.sizeRuns.clear();
        open();
        if (declared == 1234) {
            EXPECT_TRUE(world.dialogs.sizeRuns.empty()) << text;
        } else {
            ASSERT_EQ(world.dialogs.sizeRuns.size(), 1u) << text;
            EXPECT_EQ(world.dialogs.sizeRuns[0].declaredSize, declared) << text;
        }
    }
}

// A descriptor that cannot be corrected (read-only, or on a read-only folder or
// a CD) says why and offers the temporary copies; it stays as it was either way.
TEST_F(JadFlow, ADescriptorThatCannotBeCorrectedOffersTheTemporaryCopies) {
    const struct {
        bool readOnlyFile;
        MessageAnswer answer;
        const char16_t* cause;
    } cases[] = {
        {true, MessageAnswer::No, u"The file is read-only."},
        {true, MessageAnswer::Yes, u"The file is read-only."},
        {false, MessageAnswer::Yes, u"Access is denied."},
    };
    for (const auto& c : cases) {
        FlowWorld fresh;
        fresh.addStarter(J2ME, 1, u"emulator", u"-Xdescriptor:%1 -jar %2");
        fresh.setActions(J2ME, 1, 0);
        fresh.files.addFolder(kTemp);
        fresh.files.addFile(kJar, kArchive);
        fresh.files.addFile(kJad, descriptor("99"), c.readOnlyFile);
        if (!c.readOnlyFile) fresh.files.unwritableFolders.insert(FakeFiles::key(u"C:\\My Suites"));
        fresh.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;
        fresh.ui.answers = {c.answer};
        EXPECT_EQ(runJadFlow(fresh.context, {kJad, true, u""}), c.answer == MessageAnswer::Yes);
        ASSERT_EQ(fresh.ui.messages.size(), 1u);
        EXPECT_EQ(fresh.ui.messages[0].text, u"File \"" + kJad + u"\" write error.\n" + c.cause +
                                                 u"\nStart with temporary copies of the JAD and JAR files instead? The "
                                                 u"JAD file stays as it is.");
        EXPECT_EQ(fresh.ui.messages[0].kind, MessageKind::OpeningChoice);
        EXPECT_EQ(fresh.files.contents(kJad), bytesOf(descriptor("99")));
        const WideString temporaryLine = u"\"C:\\starters\\emulator.exe\" -Xdescriptor:\"" + kTemp +
                                         u"qlm_temp.jad\" -jar \"" + kTemp + u"qlm_temp.jar\"";
        EXPECT_EQ(fresh.processes.started, c.answer == MessageAnswer::Yes ? std::vector<WideString>{temporaryLine}
                                                                         : std::vector<WideString>{});
    }
}

TEST_F(JadFlow, AReadOnlyTemporaryArchiveIsReplacedButAReadOnlyTemporaryDescriptorIsNot) {
    world.files.addFile(kJad, descriptor("99"));
    world.files.addFile(kTemp + u"qlm_temp.jar", "old", true);
    world.dialogs.sizeAnswer = JadSizeAnswer::CreateTemporaryFile;
    EXPECT_TRUE(open());
    EXPECT_EQ(world.files.contents(kTemp + u"qlm_temp.jar"), bytesOf(kArchive));

    world.files.addFile(kTemp + u"qlm_temp.jad", "old", true);
    EXPECT_FALSE(open());
    EXPECT_EQ(world.messageTexts(),
              std::vector<WideString>{u"File \"" + kTemp + u"qlm_temp.jad\" write error.\nThe file is read-only."});
    EXPECT_EQ(world.files.contents(kTemp + u"qlm_temp.jad"), bytesOf("old"));
}

TEST_F(JadFlow, FailuresOfTheTemporaryCopyAreReported) {
    world.files.addFile(kJad, descriptor("99"));
    world.dialogs.sizeAnswer = JadSizeAnswer::CreateTemporaryFile;
    world.files.addFile(kTemp + u"qlm_temp.jar", "old", true);
    world.files.failClearReadOnly = true;
    EXPECT_FALSE(open());
    expectOnlyMessage(u"File \"" + kTemp + u"qlm_temp.jar\" access error.");

    world.ui.messages.clear();
    world.files.failClearReadOnly = false;
    world.files.failCopy = true;
    EXPECT_FALSE(open());
    expectOnlyMessage(u"File \"" + kJar + u"\" copy error.");
    EXPECT_EQ(world.files.contents(kJad), bytesOf(descriptor("99")));
}

// The size is settled first; only then are the starters looked at, and a
// corrected descriptor stays corrected whatever happens next.
TEST_F(JadFlow, TheSizeDialogComesBeforeTheStarterChecks) {
    FlowWorld empty;
    empty.files.addFile(kJar, kArchive);
    empty.files.addFile(kJad, descriptor("99"));
    empty.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;
    EXPECT_FALSE(runJadFlow(empty.context, {kJad, true, u""}));
    EXPECT_EQ(empty.dialogs.shown, (std::vector<std::string>{"size", "setup"}));
    EXPECT_EQ(empty.messageTexts(), std::vector<WideString>{u"No J2ME starters are defined."});
    EXPECT_EQ(empty.files.contents(kJad), bytesOf(descriptor("1234")));
    EXPECT_EQ(empty.settingsCalls > 0, true);
}

TEST_F(JadFlow, SelectShowsTheJ2meSelectionDialogEvenWithADefault) {
    world.files.addFile(kJad, descriptor("1234"));
    world.dialogs.selection = {DialogResult::Ok, 1};
    EXPECT_TRUE(open(kJad, false));
    ASSERT_EQ(world.dialogs.selectionRuns.size(), 1u);
    EXPECT_EQ(world.dialogs.selectionRuns[0].kind, J2ME);

    world.dialogs.selection = {DialogResult::Cancel, 0};
    world.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;
    world.files.addFile(kJad, descriptor("5"));
    EXPECT_FALSE(open(kJad, false));
    EXPECT_EQ(world.files.contents(kJad), bytesOf(descriptor("1234")));
}

TEST_F(JadFlow, RealDescriptorsAreCorrectedByteForByte) {
    QUILLMONT_NEEDS_TESTDATA();
    for (const char* name : {"miniTruco", "FPlay"}) {
        const std::string base = name;
        const Bytes jad = readTestdata("j2me/" + base + ".jad");
        const Bytes jar = readTestdata("j2me/" + base + ".jar");
        ASSERT_FALSE(jad.empty());
        world.files.addFile(u"C:\\real\\" + ascii(name) + u".jad", jad);
        world.files.addFile(u"C:\\real\\" + ascii(name) + u".jar", jar);
        world.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;
        ASSERT_TRUE(open(u"C:\\real\\" + ascii(name) + u".jad"));
        std::string expected = textOf(jad);
        const std::size_t at = expected.find("MIDlet-Jar-Size: ") + 17;
        expected.replace(at, expected.find('\n', at) - at, std::to_string(jar.size()));
        EXPECT_EQ(textOf(*world.files.contents(u"C:\\real\\" + ascii(name) + u".jad")), expected) << name;
    }
}

// Descriptors as they were downloaded: an archive named by a web address is the one
// saved beside the descriptor, and the emulator is handed a descriptor naming it.
TEST_F(JadFlow, SuitesFromTheWebStartWithTheArchiveBesideTheirDescriptor) {
    const std::string mark = "\xEF\xBB\xBF";
    const WideString game = u"C:\\My Suites\\My Game.jar";
    struct Case {
        std::string url;
        std::string size;
        JadSizeAnswer answer;
        bool mark;
        WideString jar;        // what the emulator gets; empty: nothing starts
        std::string written;   // the descriptor afterwards: its size and URL lines
    };
    const Case cases[] = {
        {"http://games.example/dl/app.jar", "1234", JadSizeAnswer::CorrectThisFile, false, kJar, "1234|app.jar"},
        {"HTTPS://games.example/get.php?id=7&f=x.jar#top", "99", JadSizeAnswer::CorrectThisFile, true, kJar, "1234|app.jar"},
        {"http://games.example/My%20Game.jar?x=1", "1234", JadSizeAnswer::CorrectThisFile, false, game, "1234|My Game.jar"},
        {"ftp://games.example/", "99", JadSizeAnswer::CreateTemporaryFile, true, kTemp + u"qlm_temp.jar", ""},
        {"http://games.example/app.jar", "99", JadSizeAnswer::Cancel, false, u"", ""},
        {"My%20Game.jar", "1234", JadSizeAnswer::Cancel, true, game, "1234|My%20Game.jar"},
        {"file:///C:/My%20Suites/My%20Game.jar", "1234", JadSizeAnswer::Cancel, false, game, ""},
    };
    world.files.addFile(game, kArchive);
    for (const Case& c : cases) {
        const std::string original = (c.mark ? mark : "") + descriptor(c.size, c.url);
        world.files.addFile(kJad, original);
        world.processes.started.clear();
        world.dialogs.sizeAnswer = c.answer;
        EXPECT_EQ(open(), !c.jar.empty()) << c.url;
        if (!c.jar.empty()) {
            const WideString jad = c.answer == JadSizeAnswer::CreateTemporaryFile ? kTemp + u"qlm_temp.jad" : kJad;
            EXPECT_EQ(started(), emulatorLine(jad, c.jar)) << c.url;
        }
        const std::size_t bar = c.written.find('|');
        const std::string expected = c.written.empty() ? original
                                                       : (c.mark ? mark : "") + descriptor(c.written.substr(0, bar), c.written.substr(bar + 1));
        EXPECT_EQ(textOf(world.files.contents(kJad).value_or(Bytes{})), expected) << c.url;
    }
}

// A download saved under a browser's name ("game (1).jar"): the user is told the
// names looked for and may choose the archive, which the correction then names.
TEST_F(JadFlow, AnArchiveSavedUnderAnotherNameIsChosenByTheUser) {
    const WideString jad = u"C:\\My Suites\\game.jad", saved = u"C:\\My Suites\\game (1).jar";
    const WideString elsewhere = u"D:\\Downloads\\mini truco+.jar";
    const std::string web = "http://games.example/miniTruco.jar?id=5";
    const WideString both = u"\"miniTruco.jar\" and \"game.jar\" in the folder of the JAD file and found neither";
    const struct {
        std::string url;
        std::optional<WideString> choice;  // nothing: the file-open dialog is cancelled
        WideString lookedFor;
        std::string writtenUrl;
    } cases[] = {
        {web, saved, both, "game (1).jar"},
        {web, elsewhere, both, "file:///D:/Downloads/mini%20truco%2B.jar"},
        {"http://games.example/Game.jar", std::nullopt, u"\"Game.jar\" in the folder of the JAD file and did not find it", ""},
    };
    world.files.addFile(saved, kArchive);
    world.files.addFile(elsewhere, kArchive);
    world.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;
    for (const auto& c : cases) {
        world.files.addFile(jad, descriptor("99", c.url));
        world.ui.messages.clear();
        world.ui.answers = {MessageAnswer::Yes};
        world.ui.chosenFiles = {c.choice};
        EXPECT_EQ(open(jad), c.choice.has_value()) << c.url;
        EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"The JAD file names its JAR file by the web address \"" +
                                                               ascii(c.url.c_str()) + u"\", which Quillmont does not "
                                                               u"download.\nQuillmont looked for " + c.lookedFor +
                                                               u".\nA browser may have saved the JAR file under another "
                                                               u"name. Choose it now?"});
        EXPECT_EQ(world.ui.fileRequests.back().initialFolder, u"C:\\My Suites\\");
        if (!c.choice) continue;
        EXPECT_TRUE(world.dialogs.sizeRuns.back().archiveChosen);
        EXPECT_EQ(started(), emulatorLine(jad, *c.choice));
        EXPECT_EQ(textOf(*world.files.contents(jad)), descriptor("1234", c.writtenUrl));
    }
}
