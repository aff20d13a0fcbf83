#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_window.h"
#include "launch_world.h"
#include "test_files.h"
#include "testdata.h"
#include "zip_builder.h"
#include "win32/platform/wide_text.h"
#include "win32/res/resource_ids.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr auto J2SE = StarterKind::J2SE;

std::wstring quotedW(const std::wstring& text) { return L"\"" + text + L"\""; }

// Quillmont.exe opening a desktop archive with J2SE starters named beta, Alpha and gamma
// in slots 1, 2 and 3.
struct JarLaunch : ::testing::Test {
    const std::wstring jar = makeTemporaryFolder(L"my apps") + L"\\app.jar";
    CommandLineRecorder recorder;
    StarterSettings settings;

    void SetUp() override {
        const Bytes desktopArchive =
            ZipBuilder().add("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nMain-Class: a.A\r\n\r\n").build();
        ASSERT_TRUE(writeFileBytes(jar, desktopArchive));
        settings.add(J2SE, 1, u"beta", u"-jar %1 %*");
        settings.add(J2SE, 2, u"Alpha", u"-cp %1");
        settings.add(J2SE, 3, u"gamma", u"gamma %1");
    }
    std::wstring starter() const { return quotedW(win32::toWide(StarterSettings::starterProgram())); }
    std::optional<std::wstring> recorded(unsigned timeoutMs = 20000) const {
        std::optional<WideString> line = recorder.wait(timeoutMs);
        if (!line) return std::nullopt;
        return win32::toWide(*line);
    }
};

std::wstring selectedItem(const DialogWindow& dialog) {
    const int at = dialog.listSelection(IDC_SELECT_LIST);
    return at < 0 ? L"<none>" : dialog.listItems(IDC_SELECT_LIST)[static_cast<std::size_t>(at)];
}

}  // namespace

TEST_F(JarLaunch, AnOccupiedDefaultStartsWithoutAskingAndBecomesTheLastAction) {
    settings.setActions(J2SE, 3, 0);
    auto program = startQuillmont(L" " + quotedW(jar) + L" one two");
    EXPECT_EQ(recorded(), starter() + L" gamma " + quotedW(jar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(settings.storedLastAction(J2SE), 3);
}

TEST_F(JarLaunch, AnArchiveFourHundredCharactersDeepStarts) {
    const std::wstring deepJar = makeDeepFolder(jar.substr(0, jar.rfind(L'\\')), 400) + L"\\app.jar";
    ASSERT_TRUE(CopyFileW(jar.c_str(), deepJar.c_str(), FALSE));
    settings.setActions(J2SE, 3, 0);
    auto program = startQuillmont(L" " + quotedW(deepJar));
    EXPECT_EQ(recorded(), starter() + L" gamma " + quotedW(deepJar));
    EXPECT_EQ(program->waitForExit(), 0u);
}

TEST_F(JarLaunch, TheLastUsedStarterStartsWhenTheDefaultSaysSo) {
    settings.setActions(J2SE, StarterList::kUseLastAction, 2);
    auto program = startQuillmont(L" " + quotedW(jar));
    EXPECT_EQ(recorded(), starter() + L" -cp " + quotedW(jar));
    EXPECT_EQ(program->waitForExit(), 0u);
}

TEST_F(JarLaunch, SelectAlwaysAsksWithTheDefaultPreselectedAndPassesTheArguments) {
    settings.setActions(J2SE, 3, 0);
    auto program = startQuillmont(L" /select " + quotedW(jar) + L" -x  \"a b\"");
    HWND dialog = program->waitForDialogTitled(L"J2SE Starter Select");
    ASSERT_NE(dialog, nullptr);
    DialogWindow window(dialog);
    EXPECT_EQ(window.owner(), nullptr);
    EXPECT_EQ(window.listItems(IDC_SELECT_LIST), (std::vector<std::wstring>{L"Alpha", L"beta", L"gamma"}));
    EXPECT_EQ(selectedItem(window), L"gamma");
    window.doubleClickListItem(IDC_SELECT_LIST, 1);  // beta
    EXPECT_EQ(recorded(), starter() + L" -jar " + quotedW(jar) + L" -x \"a b\"");
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(settings.storedLastAction(J2SE), 1);
}

TEST_F(JarLaunch, WithNothingToPreselectOkStaysDisabledAndCancelKeepsTheLastAction) {
    settings.setActions(J2SE, StarterList::kUseLastAction, 0);
    auto program = startQuillmont(L" " + quotedW(jar));
    HWND dialog = program->waitForDialogTitled(L"J2SE Starter Select");
    ASSERT_NE(dialog, nullptr);
    DialogWindow window(dialog);
    EXPECT_EQ(selectedItem(window), L"<none>");
    EXPECT_FALSE(window.isEnabled(IDOK));
    window.pressEscape();
    EXPECT_EQ(program->waitForExit(), 1u);
    EXPECT_TRUE(recorder.nothingStarted());
    EXPECT_EQ(settings.storedLastAction(J2SE), 0);
}

TEST_F(JarLaunch, AskingPreselectsTheLastStarter) {
    settings.setActions(J2SE, StarterList::kAsk, 2);
    auto program = startQuillmont(L" " + quotedW(jar));
    HWND dialog = program->waitForDialogTitled(L"J2SE Starter Select");
    ASSERT_NE(dialog, nullptr);
    DialogWindow window(dialog);
    EXPECT_EQ(selectedItem(window), L"Alpha");
    EXPECT_TRUE(window.isEnabled(IDOK));
    window.click(IDOK);
    EXPECT_EQ(recorded(), starter() + L" -cp " + quotedW(jar));
    EXPECT_EQ(program->waitForExit(), 0u);
}

// The choice is stored before the process is created, so it is stored even when
// the starter's program has gone; nothing is shown.
// A starter whose program is gone, or was written in quotes (Explorer's "Copy as
// path"), says so with the system's reason, ends with 1 and is not remembered.
TEST_F(JarLaunch, AStarterThatCannotBeStartedSaysWhyAndIsNotRemembered) {
    settings.addMissing(J2SE, 4, u"gone");
    settings.setActions(J2SE, 4, 0);
    auto program = startQuillmont(L" " + quotedW(jar));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    const ShownMessage shown = readAndConfirm(box);
    EXPECT_EQ(shown.icon, L"error");
    ASSERT_FALSE(shown.texts.empty());
    // The starter, its program, and the system's reason on a line of its own.
    const std::wstring& text = shown.texts[0];
    EXPECT_EQ(text.rfind(L"The starter \"gone\" could not be started.\nProgram: ", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 2);
    EXPECT_EQ(program->waitForExit(), 1u);
    EXPECT_TRUE(recorder.nothingStarted());
    EXPECT_EQ(settings.storedLastAction(J2SE), 0);
}

TEST_F(JarLaunch, WithoutJ2seStartersTheUserIsToldAndGetsTheSetupDialog) {
    settings.clear();
    auto program = startQuillmont(L" " + quotedW(jar));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    expectOpeningError(readAndConfirm(box), L"No J2SE starters are defined.");
    if (HWND hint = program->waitForDialogTitled(L"Information", 5000)) DialogWindow(hint).click(IDOK);
    HWND setup = program->waitForDialogTitled(L"Quillmont Setup");
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(DialogWindow(setup).owner(), nullptr);
    DialogWindow(setup).click(IDOK);
    EXPECT_EQ(program->waitForExit(), 1u);
}

TEST_F(JarLaunch, TheSetupButtonRefillsTheSelectionAfterADeletion) {
    settings.setActions(J2SE, 3, 0);
    auto program = startQuillmont(L" /select " + quotedW(jar));
    HWND dialog = program->waitForDialogTitled(L"J2SE Starter Select");
    ASSERT_NE(dialog, nullptr);
    DialogWindow(dialog).click(IDC_SELECT_SETUP);
    HWND setup = program->waitForDialogTitled(L"Quillmont Setup");
    ASSERT_NE(setup, nullptr);
    DialogWindow setupWindow(setup);
    setupWindow.selectListItem(IDC_J2SE_LIST, 2);  // gamma, the default
    Sleep(200);
    setupWindow.click(IDC_J2SE_DELETE);
    HWND warning = program->waitForDialogTitled(L"Warning");
    ASSERT_NE(warning, nullptr);
    DialogWindow(warning).click(IDOK);
    Sleep(200);
    setupWindow.click(IDOK);
    dialog = program->waitForDialogTitled(L"J2SE Starter Select");
    ASSERT_NE(dialog, nullptr);
    Sleep(200);
    DialogWindow window(dialog);
    EXPECT_EQ(window.listItems(IDC_SELECT_LIST), (std::vector<std::wstring>{L"Alpha", L"beta"}));
    EXPECT_EQ(selectedItem(window), L"<none>");
    window.click(IDCANCEL);
    EXPECT_EQ(program->waitForExit(), 1u);
}

// The setup dialog reached from the flow is the real one: a starter added there
// is saved, and with nothing to start without asking the selection follows.
TEST_F(JarLaunch, AStarterAddedInTheSetupDialogIsOfferedAtOnce) {
    settings.clear();
    auto program = startQuillmont(L" " + quotedW(jar));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    expectOpeningError(readAndConfirm(box), L"No J2SE starters are defined.");
    if (HWND hint = program->waitForDialogTitled(L"Information", 5000)) DialogWindow(hint).click(IDOK);
    HWND setup = program->waitForDialogTitled(L"Quillmont Setup");
    ASSERT_NE(setup, nullptr);
    DialogWindow(setup).click(IDC_J2SE_ADD);
    HWND edit = program->waitForDialogTitled(L"J2SE Starter");
    ASSERT_NE(edit, nullptr);
    DialogWindow editWindow(edit);
    editWindow.setText(IDC_STARTER_NAME, L"recorder");
    editWindow.setText(IDC_STARTER_EXECUTABLE, win32::toWide(StarterSettings::starterProgram()));
    editWindow.setText(IDC_STARTER_ARGUMENTS, L"-jar %1");
    Sleep(200);
    editWindow.click(IDOK);
    setup = program->waitForDialogTitled(L"Quillmont Setup");
    ASSERT_NE(setup, nullptr);
    Sleep(200);
    DialogWindow(setup).click(IDOK);
    HWND dialog = program->waitForDialogTitled(L"J2SE Starter Select");
    ASSERT_NE(dialog, nullptr);
    DialogWindow window(dialog);
    EXPECT_EQ(window.listItems(IDC_SELECT_LIST), std::vector<std::wstring>{L"recorder"});
    EXPECT_EQ(selectedItem(window), L"<none>");
    window.doubleClickListItem(IDC_SELECT_LIST, 0);
    EXPECT_EQ(recorded(), starter() + L" -jar " + quotedW(jar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(settings.storedLastAction(J2SE), 1);
}

namespace {

// A Java home whose javaw.exe is the recording starter and whose release file
// names the version.
std::wstring javaHome(const std::wstring& name, const char* version) {
    const std::wstring home = makeTemporaryFolder(name);
    CreateDirectoryW((home + L"\\bin").c_str(), nullptr);
    CopyFileW(CommandLineRecorder::starter().c_str(), (home + L"\\bin\\javaw.exe").c_str(), FALSE);
    const std::string release = std::string("JAVA_VERSION=\"") + version + "\"\n";
    writeFileBytes(home + L"\\release", Bytes(release.begin(), release.end()));
    return home + L"\\bin\\javaw.exe";
}

// An archive whose main class was compiled for Java 17.
struct JarJavaVersion : JarLaunch {
    const std::wstring java8 = javaHome(L"jdk8", "1.8.0_392");
    void SetUp() override {
        const std::string java17Class("\xCA\xFE\xBA\xBE\0\0\0\x3D\0\0", 10);
        const ZipBuilder archive = ZipBuilder().add("META-INF/MANIFEST.MF", "Main-Class: a.A\n").add("a/A.class", java17Class);
        ASSERT_TRUE(writeFileBytes(jar, archive.build()));
        settings.add(J2SE, 1, u"Java 8", u"-jar %1", win32::fromWide(java8));
        settings.setActions(J2SE, 1, 0);
    }
};

}  // namespace

TEST_F(JarJavaVersion, AnOlderJavaIsOfferedTheNewerStarterAndYesStartsIt) {
    const std::wstring java21 = javaHome(L"jdk21", "21.0.1");
    settings.add(J2SE, 2, u"Java 21", u"-jar %1", win32::fromWide(java21));
    auto program = startQuillmont(L" " + quotedW(jar));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    const ShownMessage shown = readAndConfirm(box, IDYES);
    EXPECT_EQ(shown.texts, std::vector<std::wstring>{
                               L"\"app.jar\" needs Java 17 or newer, but the starter \"Java 8\" runs Java 8.\n\n"
                               L"Start it with \"Java 21\", which runs Java 21, instead?\n\n"
                               L"Choose No to start it with \"Java 8\" anyway."});
    EXPECT_EQ(shown.buttons, (std::vector<std::wstring>{L"&Yes", L"&No", L"Cancel"}));
    EXPECT_EQ(recorded(), quotedW(java21) + L" -jar " + quotedW(jar));
    EXPECT_EQ(program->waitForExit(), 0u);
    EXPECT_EQ(settings.storedLastAction(J2SE), 2);
}

TEST_F(JarJavaVersion, WithNoJavaNewEnoughTheWarningsNoStartsNothing) {
    auto program = startQuillmont(L" " + quotedW(jar));
    HWND box = program->waitForDialog();
    ASSERT_NE(box, nullptr);
    const ShownMessage shown = readAndConfirm(box, IDNO);
    EXPECT_EQ(shown.texts, std::vector<std::wstring>{
                               L"\"app.jar\" needs Java 17 or newer, but the starter \"Java 8\" runs Java 8. None of "
                               L"the J2SE starters runs a newer Java.\n\nInstall Java 17 or newer, then add it with "
                               L"Scan in Quillmont's setup.\n\nStart it with \"Java 8\" anyway?"});
    EXPECT_EQ(program->waitForExit(), 1u);
    EXPECT_TRUE(recorder.nothingStarted());
    EXPECT_EQ(settings.storedLastAction(J2SE), 0);
}
