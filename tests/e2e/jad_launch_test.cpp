#include <gtest/gtest.h>

#include <functional>

#include "dialog_window.h"
#include "launch_world.h"
#include "test_files.h"
#include "testdata.h"
#include "win32/platform/wide_text.h"
#include "win32/res/resource_ids.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr auto J2ME = StarterKind::J2ME;

std::string descriptor(const std::string& size, const std::string& url = "app.jar") {
    return "MIDlet-Name: App\r\nMIDlet-Jar-Size: " + size + "\r\nMIDlet-Jar-URL: " + url + "\r\nMIDlet-1: App, , a.App";
}

// The bytes with the value of the first size line replaced.
Bytes withSize(const Bytes& bytes, const std::string& size) {
    std::string text = textOf(bytes);
    const std::size_t at = text.find("MIDlet-Jar-Size: ") + 17;
    text.replace(at, text.find_first_of("\r\n", at) - at, size);
    return bytesOf(text);
}

std::wstring quotedW(const std::wstring& text) { return L"\"" + text + L"\""; }

struct JadLaunch : ::testing::Test {
    const std::wstring suite = makeTemporaryFolder(L"my suite");
    const std::wstring jad = suite + L"\\app.jad";
    const std::wstring jar = suite + L"\\app.jar";
    const Bytes archive = bytesOf(suiteArchiveOfSize(4321));
    CommandLineRecorder recorder;
    StarterSettings settings;
    TemporaryFolderOverride temp;

    void SetUp() override {
        ASSERT_TRUE(writeFileBytes(jar, archive));
        settings.add(J2ME, 1, u"emulator", u"-Xdescriptor:%1 %2 %*");
        settings.setActions(J2ME, 1, 0);
    }
    void writeJad(const std::string& text) { ASSERT_TRUE(writeFileBytes(jad, bytesOf(text))); }

    std::wstring expectedLine(const std::wstring& jadPath, const std::wstring& jarPath,
                              const std::wstring& external = L"") const {
        return quotedW(win32::toWide(StarterSettings::starterProgram())) + L" -Xdescriptor:" + quotedW(jadPath) +
               L" " + quotedW(jarPath) + external;
    }
    std::optional<std::wstring> recorded(unsigned timeoutMs = 20000) const {
        std::optional<WideString> line = recorder.wait(timeoutMs);
        if (!line) return std::nullopt;
        return win32::toWide(*line);
    }
    std::vector<std::wstring> temporaryFiles() const { return folderEntries(temp.folder(), L"qlm_"); }

    // Answers the size dialog with `button` (when it comes; `previous` is a dialog
    // that is closing) and returns the size dialog's text.
    std::wstring openAndAnswerSizeDialog(RemoteProgram& program, int button, HWND previous = nullptr) {
        HWND dialog = program.waitForDialogAfter(previous);
        if (dialog == nullptr || !DialogWindow(dialog).hasControl(IDC_SIZE_TEXT)) {
            std::string shown;
            if (dialog != nullptr)
                for (const std::wstring& text : DialogWindow(dialog).staticTexts()) shown += std::string(text.begin(), text.end()) + " ";
            ADD_FAILURE() << "no size dialog" << (shown.empty() ? "" : ", but: " + shown);
            return {};
        }
        DialogWindow window(dialog);
        const std::wstring text = window.text(IDC_SIZE_TEXT);
        EXPECT_EQ(window.owner(), nullptr);
        window.click(button);
        sizeDialog_ = dialog;
        return text;
    }
    // The message box that follows the size dialog (or the first one), answered with `button`.
    ShownMessage nextMessage(RemoteProgram& program, int button = IDOK) {
        HWND box = program.waitForDialogAfter(sizeDialog_);
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return {};
        }
        return readAndConfirm(box, button);
    }

private:
    HWND sizeDialog_ = nullptr;
};

}  // namespace

TEST_F(JadLaunch, AMatchingSizeStartsTheEmulatorWithoutDialogOrWrite) {
    writeJad(descriptor("4321"));
    auto program = startQuillmont(L" " + quotedW(jad) + L" -Dx=1");
    EXPECT_EQ(recorded(), expectedLine(jad, jar, L" -Dx=1"));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("4321")));
    EXPECT_TRUE(temporaryFiles().empty());
    EXPECT_EQ(settings.storedLastAction(J2ME), 1);
}

// Deep folders are common (synchronised folders, unpacked archives): the archive
// is found next to its descriptor, corrected and started beyond MAX_PATH.
TEST_F(JadLaunch, ASuiteFourHundredCharactersDeepIsCorrectedAndStarted) {
    const std::wstring deep = makeDeepFolder(suite, 400);
    const std::wstring deepJad = deep + L"\\app.jad", deepJar = deep + L"\\app.jar";
    ASSERT_TRUE(writeFileBytes(deepJar, archive));
    ASSERT_TRUE(writeFileBytes(deepJad, bytesOf(descriptor("99"))));
    auto program = startQuillmont(L" " + quotedW(deepJad));
    openAndAnswerSizeDialog(*program, IDOK);
    EXPECT_EQ(recorded(), expectedLine(deepJad, deepJar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(deepJad), bytesOf(descriptor("4321")));
}

// A download cut short beside a descriptor that declares the whole size: no
// size dialog, nothing written, nothing started.
TEST_F(JadLaunch, ABrokenDownloadIsReportedAndNothingIsWrittenOrStarted) {
    ASSERT_TRUE(writeFileBytes(jar, Bytes(archive.begin(), archive.begin() + 2000)));
    writeJad(descriptor("4321"));
    auto program = startQuillmont(L" " + quotedW(jad));
    expectOpeningError(nextMessage(*program),
                       L"The JAR file \"" + jar + L"\" is damaged or incomplete.\nIt ends before its last entry: an "
                       L"incomplete download.\nIt is 2,000 bytes, and the JAD file says 4,321.\nDownload it again, then "
                       L"open the JAD file again.");
    EXPECT_EQ(program->waitForExit(), 1u);
    EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("4321")));
    EXPECT_TRUE(recorder.nothingStarted());
}

// A descriptor that cannot be corrected says why and offers the temporary
// copies: No starts nothing, Yes starts through them; it stays as it was.
TEST_F(JadLaunch, AReadOnlyDescriptorOffersTheTemporaryCopies) {
    for (const int answer : {IDNO, IDYES}) {
        writeJad(descriptor("99"));
        setReadOnly(jad, true);
        auto program = startQuillmont(L" " + quotedW(jad));
        openAndAnswerSizeDialog(*program, IDOK);
        const ShownMessage question = nextMessage(*program, answer);
        EXPECT_EQ(question.caption, L"Quillmont");
        EXPECT_EQ(question.texts,
                  std::vector<std::wstring>{L"File \"" + jad + L"\" write error.\nThe file is read-only.\nStart with "
                                            L"temporary copies of the JAD and JAR files instead? The JAD file stays "
                                            L"as it is."});
        EXPECT_EQ(question.buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
        EXPECT_EQ(program->waitForExit(), answer == IDYES ? 0u : 1u);
        setReadOnly(jad, false);
        EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("99")));
    }
    EXPECT_EQ(recorded(), expectedLine(temp.folder() + L"\\qlm_temp.jad", temp.folder() + L"\\qlm_temp.jar"));
}

TEST_F(JadLaunch, CorrectThisJadFileRewritesOnlyTheSizeLine) {
    writeJad(descriptor("99"));
    auto program = startQuillmont(L" " + quotedW(jad));
    EXPECT_EQ(openAndAnswerSizeDialog(*program, IDOK),
              L"The size of the JAR file differs from that in the JAD file.\n"
              L"The JAR file size is 4321 bytes.\n"
              L"The \"MIDlet-Jar-Size\" attribute is 99 bytes in the JAD file.");
    EXPECT_EQ(recorded(), expectedLine(jad, jar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("4321")));
    EXPECT_TRUE(temporaryFiles().empty());
    EXPECT_EQ(folderEntries(suite), (std::vector<std::wstring>{L"app.jad", L"app.jar"}));
}

TEST_F(JadLaunch, CreateATemporaryJadFileWorksOnCopiesAndLeavesTheDescriptorAlone) {
    writeJad(descriptor("99"));
    auto program = startQuillmont(L" " + quotedW(jad));
    openAndAnswerSizeDialog(*program, IDC_SIZE_TEMPORARY);
    const std::wstring temporaryJad = temp.folder() + L"\\qlm_temp.jad";
    const std::wstring temporaryJar = temp.folder() + L"\\qlm_temp.jar";
    EXPECT_EQ(recorded(), expectedLine(temporaryJad, temporaryJar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("99")));
    EXPECT_EQ(readFileBytes(temporaryJar), archive);
    EXPECT_EQ(readFileBytes(temporaryJad), bytesOf(descriptor("4321", "qlm_temp.jar")));
    EXPECT_EQ(temporaryFiles(), (std::vector<std::wstring>{L"qlm_temp.jad", L"qlm_temp.jar"}));
}

TEST_F(JadLaunch, CancellingTheSizeDialogWritesAndStartsNothing) {
    writeJad(descriptor("99"));
    auto program = startQuillmont(L" " + quotedW(jad));
    openAndAnswerSizeDialog(*program, IDCANCEL);
    EXPECT_EQ(program->waitForExit(), 1u);
    EXPECT_TRUE(recorder.nothingStarted());
    EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("99")));
    EXPECT_TRUE(temporaryFiles().empty());
}

TEST_F(JadLaunch, EveryFailureBeforeTheSizeCheckShowsItsMessageAndEndsWithOne) {
    const std::wstring gone = suite + L"\\gone.jad";
    const std::wstring huge = suite + L"\\huge.jad";
    const std::wstring folder = suite + L"\\folder.jad";
    ASSERT_TRUE(writeFileBytes(huge, Bytes(1'000'001, ' ')));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    struct Case {
        std::string text;  // the descriptor's bytes; empty: the file named is used as it is
        std::wstring file;
        std::wstring message;
    };
    const Case cases[] = {
        {"", gone, L"File \"" + gone + L"\" read error.\nThe file does not exist."},
        {"", huge, L"File \"" + huge + L"\" read error.\nIt is larger than 1,000,000 bytes."},
        {"", folder, L"File \"" + folder + L"\" read error.\nIt is a folder."},
        {"MIDlet-Jar-URL: app.jar\r\n", jad, L"No \"MIDlet-Jar-Size\" attribute is defined in the JAD file."},
        {"MIDlet-Jar-Size:4321\r\nMIDlet-Jar-URL: app.jar\r\n", jad,
         L"No \"MIDlet-Jar-Size\" attribute is defined in the JAD file."},
        {"MIDlet-Jar-Size: 4321\r\nMIDlet-Jar-URL:  \t \r\n", jad,
         L"No \"MIDlet-Jar-URL\" attribute is defined in the JAD file."},
        {descriptor("4321", "lib/gone.jar"), jad,
         L"File \"" + suite + L"\\lib/gone.jar\" read error.\nThe file does not exist."},
    };
    for (const Case& c : cases) {
        if (!c.text.empty()) writeJad(c.text);
        auto program = startQuillmont(L" " + quotedW(c.file));
        HWND box = program->waitForDialog();
        ASSERT_NE(box, nullptr) << c.message;
        expectOpeningError(readAndConfirm(box), c.message);
        EXPECT_EQ(program->waitForExit(), 1u) << c.message;
    }
    // A starter started by any of them would have left its line.
    EXPECT_TRUE(recorder.nothingStarted());
}

TEST_F(JadLaunch, FailuresAfterTheSizeDialogShowTheirMessageAndLoseNothing) {
    const std::wstring temporaryJad = temp.folder() + L"\\qlm_temp.jad";
    const std::wstring temporaryJar = temp.folder() + L"\\qlm_temp.jar";
    struct Case {
        const char* claim;
        std::function<void()> prepare;
        int button;
        std::wstring message;
        std::function<void()> undo;
    };
    const Case cases[] = {
        {"a folder in the temporary archive's place cannot be copied over",
         [&] { CreateDirectoryW(temporaryJar.c_str(), nullptr); }, IDC_SIZE_TEMPORARY,
         L"File \"" + jar + L"\" copy error.", [&] { RemoveDirectoryW(temporaryJar.c_str()); }},
        {"a read-only temporary descriptor is not made writable",
         [&] {
             writeFileBytes(temporaryJad, bytesOf("old"));
             setReadOnly(temporaryJad, true);
         },
         IDC_SIZE_TEMPORARY, L"File \"" + temporaryJad + L"\" write error.\nThe file is read-only.",
         [&] {
             EXPECT_EQ(readFileBytes(temporaryJad), bytesOf("old"));
             setReadOnly(temporaryJad, false);
             DeleteFileW(temporaryJad.c_str());
         }},
    };
    for (const Case& c : cases) {
        writeJad(descriptor("99"));
        c.prepare();
        auto program = startQuillmont(L" " + quotedW(jad));
        openAndAnswerSizeDialog(*program, c.button);
        expectOpeningError(nextMessage(*program), c.message);
        EXPECT_EQ(program->waitForExit(), 1u) << c.claim;
        EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("99"))) << c.claim;
        c.undo();
    }
    EXPECT_TRUE(recorder.nothingStarted());
}

TEST_F(JadLaunch, AReadOnlyTemporaryArchiveIsMadeWritableAndOverwritten) {
    const std::wstring temporaryJar = temp.folder() + L"\\qlm_temp.jar";
    ASSERT_TRUE(writeFileBytes(temporaryJar, bytesOf("left from before")));
    setReadOnly(temporaryJar, true);
    writeJad(descriptor("99"));
    auto program = startQuillmont(L" " + quotedW(jad));
    openAndAnswerSizeDialog(*program, IDC_SIZE_TEMPORARY);
    EXPECT_EQ(recorded(), expectedLine(temp.folder() + L"\\qlm_temp.jad", temporaryJar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(temporaryJar), archive);
}

TEST_F(JadLaunch, WithoutJ2meStartersTheSizeDialogComesFirstThenTheMessageAndSetup) {
    settings.clear();
    writeJad(descriptor("99"));
    auto program = startQuillmont(L" " + quotedW(jad));
    openAndAnswerSizeDialog(*program, IDOK);
    expectOpeningError(nextMessage(*program), L"No J2ME starters are defined.");
    if (HWND hint = program->waitForDialogTitled(L"Information", 5000)) DialogWindow(hint).click(IDOK);
    HWND setup = program->waitForDialogTitled(L"Quillmont Setup");
    ASSERT_NE(setup, nullptr);
    DialogWindow(setup).click(IDCANCEL);
    EXPECT_EQ(program->waitForExit(), 1u);
    // The correction was written before the starters were looked at.
    EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("4321")));
}

TEST_F(JadLaunch, SelectAsksForTheJ2meStarterAndCancellingStartsNothing) {
    writeJad(descriptor("4321"));
    settings.add(J2ME, 2, u"another emulator", u"%1");
    auto program = startQuillmont(L" /select " + quotedW(jad));
    HWND dialog = program->waitForDialogTitled(L"J2ME Starter Select");
    ASSERT_NE(dialog, nullptr);
    DialogWindow window(dialog);
    EXPECT_EQ(window.listItems(IDC_SELECT_LIST), (std::vector<std::wstring>{L"another emulator", L"emulator"}));
    EXPECT_EQ(window.listSelection(IDC_SELECT_LIST), 1);
    window.click(IDCANCEL);
    EXPECT_EQ(program->waitForExit(), 1u);
    EXPECT_TRUE(recorder.nothingStarted());
    EXPECT_EQ(settings.storedLastAction(J2ME), 0);
}

// Descriptors in the wild are not always UTF-8; whatever their bytes, a
// correction changes the size line's bytes and nothing else.
TEST_F(JadLaunch, CorrectingKeepsEveryOtherByteInAnyEncoding) {
    QUILLMONT_NEEDS_TESTDATA();
    const Bytes stress = readTestdata("text/UTF-8-test.txt");
    ASSERT_FALSE(stress.empty());
    Bytes withStress = stress;
    const std::string tail = "MIDlet-Jar-Size: 1\nMIDlet-Jar-URL: app.jar\n";
    withStress.insert(withStress.end(), tail.begin(), tail.end());
    const std::pair<const char*, Bytes> cases[] = {
        {"Windows-1251", bytesOf("MIDlet-Name: \xC8\xE3\xF0\xE0\r\nMIDlet-Vendor: \xCE\xCE\xCE \xAB\xD0\xEE\xEC\xE0\xBB\r\n"
                                 "MIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: app.jar\r\n")},
        {"Latin-1 before CR LF", bytesOf("MIDlet-Vendor: Caf\xE9\r\nMIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: app.jar\r\n"
                                         "MIDlet-Description: na\xEF\r\n")},
        {"emoji", bytesOf("MIDlet-Description: fun \xF0\x9F\x98\x80\xF0\x9F\x8E\xAE\nMIDlet-Jar-Size: 1\n"
                          "MIDlet-Jar-URL: app.jar")},
        {"UTF-8 stress test", withStress},
    };
    for (const auto& [claim, bytes] : cases) {
        ASSERT_TRUE(writeFileBytes(jad, bytes));
        auto program = startQuillmont(L" " + quotedW(jad));
        openAndAnswerSizeDialog(*program, IDOK);
        EXPECT_EQ(program->waitForExit(), 0u) << claim;
        EXPECT_EQ(readFileBytes(jad), withSize(bytes, "4321")) << claim;
    }
}

TEST_F(JadLaunch, RealSuitesWithAWrongSizeAreCorrectedAndStarted) {
    QUILLMONT_NEEDS_TESTDATA();
    for (const std::string name : {"miniTruco", "FPlay"}) {
        const Bytes realJad = readTestdata("j2me/" + name + ".jad");
        const Bytes realJar = readTestdata("j2me/" + name + ".jar");
        ASSERT_FALSE(realJad.empty());
        const std::wstring wideName = win32::toWide(ascii(name.c_str()));
        const std::wstring jadPath = suite + L"\\" + wideName + L".jad";
        const std::wstring jarPath = suite + L"\\" + wideName + L".jar";
        ASSERT_TRUE(writeFileBytes(jadPath, realJad));
        ASSERT_TRUE(writeFileBytes(jarPath, realJar));
        recorder.clear();
        auto program = startQuillmont(L" " + quotedW(jadPath));
        const std::wstring text = openAndAnswerSizeDialog(*program, IDOK);
        EXPECT_NE(text.find(L"is " + std::to_wstring(realJar.size()) + L" bytes."), std::wstring::npos) << text;
        EXPECT_EQ(recorded(), expectedLine(jadPath, jarPath)) << name;
        EXPECT_EQ(program->waitForExit(), 0u);
        EXPECT_EQ(readFileBytes(jadPath), withSize(realJad, std::to_string(realJar.size()))) << name;
    }
}

// A pipe opens like a file but has no size: the one way to reach the size
// error with real files. (The "\\?\" form, as "\\.\" would lose its dot
// when the path is combined.)
TEST_F(JadLaunch, AnArchiveWithoutASizeIsReported) {
    const std::string name = "quillmont size " + std::to_string(GetCurrentProcessId());
    const std::wstring pipe = L"\\\\.\\pipe\\" + std::wstring(name.begin(), name.end());
    HANDLE server = CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 4, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    writeJad(descriptor("4321", "\\\\?\\pipe\\" + name));
    auto program = startQuillmont(L" " + quotedW(jad));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    expectOpeningError(readAndConfirm(box), L"Invalid JAR file size.");
    EXPECT_EQ(program->waitForExit(), 1u);
    CloseHandle(server);
}

// A descriptor saved from a download site beside its archive: its web address is
// replaced by the archive's name before the emulator sees it, or the suite starts
// from temporary copies, or the user is told what to do.
TEST_F(JadLaunch, ASuiteFromTheWebStartsWithTheArchiveBesideItsDescriptor) {
    const std::string mark = "\xEF\xBB\xBF";
    writeJad(mark + descriptor("99", "http://games.example/dl/app.jar"));
    auto program = startQuillmont(L" " + quotedW(jad));
    EXPECT_EQ(openAndAnswerSizeDialog(*program, IDOK),
              L"The JAD file names the JAR file by a web address:\nhttp://games.example/dl/app.jar\n"
              L"The JAR file beside it, \"app.jar\", is used instead.\nIts size is 4321 bytes; the JAD file says 99 bytes.");
    EXPECT_EQ(recorded(), expectedLine(jad, jar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(jad), bytesOf(mark + descriptor("4321", "app.jar")));

    recorder.clear();
    writeJad(descriptor("4321", "http://games.example/download.php?id=123"));
    program = startQuillmont(L" " + quotedW(jad));
    openAndAnswerSizeDialog(*program, IDC_SIZE_TEMPORARY);
    const std::wstring temporaryJad = temp.folder() + L"\\qlm_temp.jad";
    EXPECT_EQ(recorded(), expectedLine(temporaryJad, temp.folder() + L"\\qlm_temp.jar"));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(jad), bytesOf(descriptor("4321", "http://games.example/download.php?id=123")));
    EXPECT_EQ(readFileBytes(temporaryJad), bytesOf(descriptor("4321", "qlm_temp.jar")));

    recorder.clear();
    const std::wstring lone = suite + L"\\lone.jad";
    ASSERT_TRUE(writeFileBytes(lone, bytesOf(descriptor("4321", "https://games.example/lone.jar"))));
    program = startQuillmont(L" " + quotedW(lone));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readAndConfirm(box, IDNO).buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
    EXPECT_EQ(program->waitForExit(), 1u);
    EXPECT_TRUE(recorder.nothingStarted());
}

// A download saved under a browser's name: asked, the user chooses the archive
// by its name alone (the file-open dialog opens in the descriptor's folder), and
// the correction names it.
TEST_F(JadLaunch, AnArchiveSavedUnderAnotherNameIsChosenAndNamedByTheCorrection) {
    constexpr int kFileNameCombo = 0x47c, kFileNameEdit = 0x480;  // cmb13 and edt1 of the file dialog
    const std::wstring game = suite + L"\\game.jad", saved = suite + L"\\game (1).jar";
    ASSERT_TRUE(writeFileBytes(saved, archive));
    ASSERT_TRUE(writeFileBytes(game, bytesOf(descriptor("99", "http://games.example/miniTruco.jar?id=5"))));
    auto program = startQuillmont(L" " + quotedW(game));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(readAndConfirm(box, IDYES).texts.at(0).find(L"\"miniTruco.jar\" and \"game.jar\""), std::wstring::npos);
    HWND chooser = program->waitForDialogTitled(L"Select the JAR File");
    ASSERT_NE(chooser, nullptr);
    DialogWindow files(chooser);
    files.setText(files.hasControl(kFileNameCombo) ? kFileNameCombo : kFileNameEdit, L"game (1).jar");
    files.click(IDOK);
    EXPECT_NE(openAndAnswerSizeDialog(*program, IDOK, chooser).find(L"you chose, \"game (1).jar\""), std::wstring::npos);
    EXPECT_EQ(recorded(), expectedLine(game, saved));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(game), bytesOf(descriptor("4321", "game (1).jar")));
}

// A forward slash separates folders as a backslash does: the archive is the one
// beside the descriptor, not a decoy of the same name one folder up.
TEST_F(JadLaunch, AForwardSlashInThePathFindsTheArchiveBesideTheDescriptor) {
    const std::wstring pair = suite + L"\\pair";
    ASSERT_TRUE(CreateDirectoryW(pair.c_str(), nullptr));
    ASSERT_TRUE(writeFileBytes(pair + L"\\app.jar", bytesOf(suiteArchiveOfSize(1234))));
    ASSERT_TRUE(writeFileBytes(pair + L"\\app.jad", bytesOf(descriptor("1234"))));
    auto program = startQuillmont(L" " + quotedW(suite + L"\\pair/app.jad"));
    EXPECT_EQ(recorded(), expectedLine(pair + L"\\app.jad", pair + L"\\app.jar"));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(pair + L"\\app.jad"), bytesOf(descriptor("1234")));
}
