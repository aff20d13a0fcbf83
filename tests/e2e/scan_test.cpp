#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "core/starters/settings_store.h"
#include "dialog_window.h"
#include "wine_machine.h"
#include "launch_world.h"
#include "test_files.h"
#include "testdata.h"
#include "zip_builder.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_registry.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr int kScanJ2se = 1004;
constexpr int kScanJ2me = 1009;
constexpr int kResultsList = 1018;
constexpr int kShowNonmain = 1021;
constexpr int kAddChecked = IDOK;
constexpr int kCheckAll = 1013;

std::wstring javaW(const wchar_t* version) { return binFolder() + L"\\fake_java" + version + L".exe"; }

// Clicks are posted: waits until what they do has happened, or gives up after a while.
template <class Condition>
bool eventually(Condition condition, unsigned timeoutMs = 10000) {
    for (unsigned waited = 0; waited < timeoutMs; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

// Quillmont.exe's setup dialog, from /setup to its Scan buttons, on a machine
// that the test lays out first. The program starts in the machine's folder, so
// that the root of its current drive is the one the test writes to.
struct SetupScan : ::testing::Test {
    StarterSettings settings;
    WineMachine machine;
    std::unique_ptr<RemoteProgram> program;
    HWND setup = nullptr;
    wchar_t testFolder[MAX_PATH] = {};

    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, testFolder);
        SetCurrentDirectoryW(machine.folder().c_str());
        program = startQuillmont(L" /setup");
        SetCurrentDirectoryW(testFolder);
        ASSERT_TRUE(program->valid());
        // Without any starter the setup dialog first hints at the Scan buttons.
        HWND hint = program->waitForDialogTitled(L"Information");
        ASSERT_NE(hint, nullptr);
        readAndConfirm(hint);
        setup = program->waitForDialogTitled(L"Quillmont Setup");
        ASSERT_NE(setup, nullptr);
    }
    // Every SDK family laid out below the machine's folder, the work folders in the user's profile.
    SdkBuilder everySdk() const {
        wchar_t profile[MAX_PATH] = {};
        EXPECT_NE(GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH), 0u);
        const WideString root = win32::fromWide(machine.folder());
        SdkBuilder sdk(root, win32::fromWide(profile), root.substr(0, 2));
        layEveryFamily(sdk);
        return sdk;
    }
    // Add Checked in the results, then OK in the setup dialog: the list as stored.
    StarterList addCheckedAndSave(HWND found, StarterKind kind) {
        DialogWindow(found).click(kAddChecked);
        EXPECT_TRUE(eventually([&] { return !IsWindow(found) && IsWindowEnabled(setup); }));
        DialogWindow(setup).click(IDOK);
        EXPECT_EQ(program->waitForExit(), DWORD{0});
        win32::Win32Registry registry;
        SettingsStore stored(registry);
        stored.load();
        return stored.list(kind);
    }
    void TearDown() override {
        if (!program || program->waitForExit(2000)) return;
        DialogWindow(setup).click(IDCANCEL);
        program->waitForExit();
    }
};

// The same, with the environment a user's session gives Quillmont pointing into
// the machine's folder: JAVA_HOME, PATH and the profile. (Wine sets the Program
// Files variables of every process itself: what lies there goes to the real ones.)
struct SetupScanBeyondTheRegistry : SetupScan {
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved;
    std::wstring root() const { return machine.folder(); }

    // Sets a variable of this process, which Quillmont.exe inherits; nothing unsets it.
    void set(const std::wstring& name, const std::optional<std::wstring>& value) {
        std::vector<wchar_t> old(32767);
        const DWORD length = GetEnvironmentVariableW(name.c_str(), old.data(), 32767);
        saved.emplace_back(name, length == 0 ? std::nullopt : std::optional<std::wstring>(old.data()));
        SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    }
    void SetUp() override {
        set(L"JAVA_HOME", root() + L"\\unregistered\\jdk-21\\");
        set(L"JDK_HOME", root() + L"\\removed");
        set(L"PATH", root() + L"\\javapath;" + root() + L"\\tools\\jdk-17\\bin;" + L"C:\\windows\\system32;C:\\windows");
        set(L"USERPROFILE", root() + L"\\profile");
        set(L"LOCALAPPDATA", root() + L"\\profile\\AppData\\Local");
        set(L"SCOOP", std::nullopt);
        SetupScan::SetUp();
    }
    void TearDown() override {
        SetupScan::TearDown();
        for (const auto& [name, value] : saved) SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    }
    // A home with only the start of a PE header as launchers, and its release file.
    std::wstring home(const std::wstring& folder, bool kit, const std::string& release) {
        std::vector<std::wstring> launchers{L"bin\\javaw.exe", L"bin\\java.exe"};
        if (kit) launchers.push_back(L"bin\\javac.exe");
        const std::wstring path = machine.installStubs(folder, launchers);
        EXPECT_TRUE(writeFileBytes(path + L"\\release", Bytes(release.begin(), release.end())));
        return path;
    }
};

std::string release(const char* version, const char* implementor, const char* arch = "amd64") {
    return std::string("JAVA_VERSION=\"") + version + "\"\r\nIMPLEMENTOR=\"" + implementor + "\"\r\nOS_ARCH=\"" + arch + "\"\r\n";
}

}  // namespace

TEST_F(SetupScanBeyondTheRegistry, JavaWhereverItIsKeptIsListedOnceWithNamesApartAndStored) {
    home(L"unregistered\\jdk-21", true, release("21.0.1", "Eclipse Adoptium"));
    home(L"tools\\jdk-17", true, release("17.0.2", "Oracle Corporation"));
    home(L"profile\\.jdks\\corretto-17.0.9", true, release("17.0.9", "Amazon.com Inc."));
    home(L"profile\\scoop\\apps\\temurin17-jdk\\current", true, release("17.0.9", "Eclipse Adoptium"));
    wchar_t programFiles[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH), 0u);
    const std::wstring corretto = std::wstring(programFiles) + L"\\Amazon Corretto\\jdk17.0.9_8";
    MachineLayout installed;
    for (const wchar_t* launcher : {L"\\bin\\java.exe", L"\\bin\\javaw.exe", L"\\bin\\javac.exe"})
        installed.files.push_back({win32::fromWide(corretto + launcher), "MZ"});
    installed.files.push_back({win32::fromWide(corretto + L"\\release"), release("17.0.9", "Amazon.com Inc.")});
    // A trap: a vendor folder whose child holds no bin\java.exe.
    installed.files.push_back({win32::fromWide(std::wstring(programFiles) + L"\\Zulu\\zulu-11\\lib\\bin\\java.exe"), "MZ"});
    machine.apply(installed);
    home(L"profile\\AppData\\Local\\Programs\\Eclipse Adoptium\\jre-8.0.392.8-hotspot", false,
         release("1.8.0_392", "Eclipse Adoptium"));
    const std::wstring zulu = home(L"pf86\\Zulu\\zulu-8", false, release("1.8.0_392", "Azul Systems, Inc.", "x86"));
    machine.setValue(KEY_WOW64_32KEY, L"SOFTWARE\\Azul Systems\\Zulu\\zulu-8", L"InstallationPath", zulu);
    // A trap: Oracle's forwarding launcher on PATH.
    machine.installStubs(L"javapath", {L"java.exe", L"javaw.exe"});

    DialogWindow(setup).click(kScanJ2se);
    HWND found = program->waitForDialogTitled(L"Detected J2SE Starters");
    ASSERT_NE(found, nullptr);
    DialogWindow results(found);
    std::vector<std::wstring> expected;
    for (const std::wstring name :
         {L"Temurin JDK 21.0.1", L"Oracle JDK 17.0.2", L"Corretto JDK 17.0.9", L"Temurin JDK 17.0.9",
          L"Temurin JRE 1.8.0_392", L"Zulu JRE 1.8.0_392"}) {
        for (const wchar_t* window : {L" (GUI", L" (Console"}) {
            const std::wstring row = name + window + (name[0] == L'Z' ? L", 32-bit)" : L")");
            if (name == L"Corretto JDK 17.0.9") {
                expected.push_back(row + L" in " + corretto);
                expected.push_back(row + L" in " + root() + L"\\profile\\.jdks\\corretto-17.0.9");
            } else {
                expected.push_back(row);
            }
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(results.listViewItems(kResultsList), expected);

    results.click(kCheckAll);
    ASSERT_TRUE(eventually([&] { return results.isEnabled(kAddChecked); }));
    const StarterList j2se = addCheckedAndSave(found, StarterKind::J2SE);
    std::vector<std::wstring> names;
    for (int slot = j2se.nextSlot(0); slot != 0; slot = j2se.nextSlot(slot)) {
        names.push_back(win32::toWide(j2se.record(slot).name));
        EXPECT_EQ(GetFileAttributesW(win32::toWide(j2se.record(slot).executableFile).c_str()) != INVALID_FILE_ATTRIBUTES, true)
            << names.back();
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected);
}

TEST_F(SetupScan, AMachineWithoutJavaSaysSoAndChangesNothing) {
    DialogWindow(setup).click(kScanJ2se);
    HWND box = program->waitForDialogTitled(L"Information");
    ASSERT_NE(box, nullptr);
    const ShownMessage shown = readAndConfirm(box);
    EXPECT_EQ(shown.texts, std::vector<std::wstring>{L"No J2SE starters are detected."});
    EXPECT_EQ(shown.icon, L"information");
    EXPECT_TRUE(shown.owned);
    DialogWindow(setup).click(IDOK);
    EXPECT_EQ(program->waitForExit(), DWORD{0});
    win32::Win32Registry registry;
    SettingsStore stored(registry);
    stored.load();
    EXPECT_EQ(stored.list(StarterKind::J2SE).nextSlot(0), 0);
}

TEST_F(SetupScan, TheJavaOfAMachineIsListedTickedAddedAndStored) {
    const REGSAM own = KEY_WOW64_64KEY;
    const std::wstring runtimes = L"SOFTWARE\\JavaSoft\\Java Runtime Environment";
    const std::wstring jre6 = machine.install(L"jre6", javaW(L"6"), {L"bin\\javaw.exe", L"bin\\java.exe"});
    machine.setValue(own, runtimes + L"\\1.6", L"JavaHome", jre6);
    machine.setValue(own, runtimes + L"\\1.6.0_45", L"JavaHome", jre6);
    const std::wstring jdk6 = machine.install(
        L"jdk6", javaW(L"6"), {L"bin\\javaw.exe", L"bin\\java.exe", L"jre\\bin\\javaw.exe", L"jre\\bin\\java.exe"});
    machine.setValue(own, L"SOFTWARE\\JavaSoft\\Java Development Kit\\1.6.0_45", L"JavaHome", jdk6);
    machine.setValue(own, L"SOFTWARE\\Eclipse Adoptium\\JRE\\17.0.9.9\\hotspot\\MSI", L"Path", machine.gone(L"jre17"));
    const std::wstring temurin = machine.install(L"jdk-21.0.1.12-hotspot", CommandLineRecorder::starter(),
                                                 {L"bin\\javaw.exe", L"bin\\java.exe", L"bin\\javac.exe"});
    machine.setValue(own, L"SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI", L"Path", temurin);
    const std::wstring zulu = machine.install(L"zulu-8", javaW(L"8"), {L"bin\\javaw.exe", L"bin\\java.exe"}, true);
    machine.setValue(KEY_WOW64_32KEY, L"SOFTWARE\\Azul Systems\\Zulu\\zulu-8", L"InstallationPath", zulu);

    DialogWindow(setup).click(kScanJ2se);
    HWND found = program->waitForDialogTitled(L"Detected J2SE Starters");
    ASSERT_NE(found, nullptr);
    DialogWindow results(found);
    EXPECT_EQ(results.owner(), setup);
    EXPECT_EQ(results.listViewItems(kResultsList),
              (std::vector<std::wstring>{L"JRE 1.6.0_45 (Console)", L"JRE 1.6.0_45 (GUI)",
                                         L"Temurin JDK 21.0.1.12 (Console)", L"Temurin JDK 21.0.1.12 (GUI)",
                                         L"Zulu JRE 1.8.0_392 (Console, 32-bit)", L"Zulu JRE 1.8.0_392 (GUI, 32-bit)"}));
    EXPECT_FALSE(results.isEnabled(kAddChecked));

    results.click(kShowNonmain);
    ASSERT_TRUE(eventually([&] { return results.listViewItems(kResultsList).size() == 10; }));
    EXPECT_EQ(results.listViewItems(kResultsList),
              (std::vector<std::wstring>{L"JDK 1.6.0_45 (Console)", L"JDK 1.6.0_45 (GUI)", L"JRE 1.6.0_45 (Console)",
                                         L"JRE 1.6.0_45 (GUI)", L"JRE in JDK 1.6.0_45 (Console)",
                                         L"JRE in JDK 1.6.0_45 (GUI)", L"Temurin JDK 21.0.1.12 (Console)",
                                         L"Temurin JDK 21.0.1.12 (GUI)", L"Zulu JRE 1.8.0_392 (Console, 32-bit)",
                                         L"Zulu JRE 1.8.0_392 (GUI, 32-bit)"}));
    // Ticked in the list's order; added in the order found.
    results.checkListViewItem(kResultsList, 9, true);
    results.checkListViewItem(kResultsList, 3, true);
    EXPECT_TRUE(results.isEnabled(kAddChecked));
    const StarterList j2se = addCheckedAndSave(found, StarterKind::J2SE);
    ASSERT_TRUE(j2se.isOccupied(1) && j2se.isOccupied(2));
    EXPECT_EQ(j2se.nextSlot(2), 0);
    EXPECT_EQ(j2se.record(1), (StarterRecord{u"JRE 1.6.0_45 (GUI)", win32::fromWide(jre6 + L"\\bin\\javaw.exe"),
                                             u"-jar %1 %*"}));
    EXPECT_EQ(j2se.record(2), (StarterRecord{u"Zulu JRE 1.8.0_392 (GUI, 32-bit)",
                                             win32::fromWide(zulu + L"\\bin\\javaw.exe"), u"-jar %1 %*"}));
}

TEST_F(SetupScan, TheSdksOfAMachineInBothViewsAreListedTickedAddedAndStored) {
    const WideString root = win32::fromWide(machine.folder());
    SdkBuilder sdk = everySdk();
    machine.apply(sdk.layout);

    DialogWindow(setup).click(kScanJ2me);
    HWND found = program->waitForDialogTitled(L"Detected J2ME Starters");
    ASSERT_NE(found, nullptr);
    DialogWindow results(found);
    std::vector<std::wstring> shown = results.listViewItems(kResultsList);
    std::vector<std::wstring> expected{
        L"Sun WTK 2.2 - Default Emulator", L"Sun SDK 3.0(1) - Default Emulator", L"Sun SDK 3.0(2) - Default Emulator",
        L"Orcale SDK 3.2 - Default Emulator", L"Oracle SDK 3.2 - Phone1 Emulator", L"Oracle SDK 3.2 - Phone2 Emulator",
        L"Symbian - a", L"Symbian - b", L"Symbian - c", L"FP1", L"NCF SDK", L"Concept", L"S40",
        L"MOTODEV SDK - Default Emulator", L"MOTODEV SDK - A1 Emulator", L"MOTODEV SDK - B1 Emulator",
        L"Motorola - i850 Emulator", L"Motorola - i90 Emulator", L"Sony Ericsson 2.5 WTK2 - Default Emulator",
        L"Samsung SDK 1.0 - Default Emulator", L"LG SDK 1.0 - Default Emulator"};
    std::vector<std::wstring> sortedShown = shown;
    std::sort(sortedShown.begin(), sortedShown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sortedShown, expected);

    // Ticked in the list's order; added in the order found.
    for (const wchar_t* name : {L"Motorola - i850 Emulator", L"Symbian - b", L"Orcale SDK 3.2 - Default Emulator"}) {
        const auto at = std::find(shown.begin(), shown.end(), name);
        ASSERT_NE(at, shown.end()) << "no row for a proposal";
        results.checkListViewItem(kResultsList, static_cast<int>(at - shown.begin()), true);
    }
    const StarterList j2me = addCheckedAndSave(found, StarterKind::J2ME);
    EXPECT_EQ(j2me.record(1), (StarterRecord{u"Orcale SDK 3.2 - Default Emulator", root + u"\\sdk32\\bin\\emulator.exe",
                                             u"-Xdescriptor:%1"}));
    EXPECT_EQ(j2me.record(2), (StarterRecord{u"Symbian - b", root + u"\\B\\bin\\emulator.exe", u"-Xdescriptor:%1"}));
    EXPECT_EQ(j2me.record(3), (StarterRecord{u"Motorola - i850 Emulator", root + u"\\iDEN2\\bin\\emulator.exe",
                                             u"-Xdescriptor:%1 -Xdevice:i850"}));
    EXPECT_EQ(j2me.nextSlot(3), 0);
}

// SDK folders anyone may have written to: a device file that is an entity bomb,
// one of 100 MB, one nested 100,000 deep and one of garbage cost their own SDK's
// rows and nothing else, and the scan still answers within seconds.
TEST_F(SetupScan, HostileDeviceFilesCostOnlyTheirOwnRows) {
    const WideString root = win32::fromWide(machine.folder());
    SdkBuilder sdk = everySdk();
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE d [\n<!ENTITY a \"lol\">\n";
    for (char c = 'b'; c <= 'j'; ++c) {
        laughs += std::string("<!ENTITY ") + c + " \"";
        for (int i = 0; i < 10; ++i) laughs += std::string("&") + static_cast<char>(c - 1) + ";";
        laughs += "\">\n";
    }
    laughs += "]>\n<devices><device name=\"&j;\"/></devices>\n";
    std::string garbage(4096, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7919 % 251);
    const std::vector<std::pair<std::u16string, std::string>> hostile = {
        {u"\\Motodev\\JMESDK\\res\\devices\\B.xml", laughs},
        {u"\\NCF\\integrations\\n\\n.xml", std::string(100'000'000, ' ')},
        {u"\\S60\\FP1\\FP1.xml", "<?xml version=\"1.0\"?>" + std::string(100'000 * 3, ' ')},
        {u"\\MIDP\\C\\C.xml", garbage},
    };
    std::string& nested = const_cast<std::string&>(hostile[2].second);
    for (std::size_t i = 0; i < 100'000; ++i) nested.replace(21 + 3 * i, 3, "<e>");
    for (MachineLayout::File& file : sdk.layout.files)
        for (const auto& [path, text] : hostile)
            if (file.path == root + path) file.text = text;
    machine.apply(sdk.layout);

    const ULONGLONG start = GetTickCount64();
    DialogWindow(setup).click(kScanJ2me);
    HWND found = program->waitForDialogTitled(L"Detected J2ME Starters");
    ASSERT_NE(found, nullptr);
    EXPECT_LT(GetTickCount64() - start, 10'000u);
    const std::vector<std::wstring> shown = DialogWindow(found).listViewItems(kResultsList);
    for (const wchar_t* row : {L"Sun WTK 2.2 - Default Emulator", L"Oracle SDK 3.2 - Phone1 Emulator", L"Symbian - a",
                               L"S40", L"MOTODEV SDK - A1 Emulator", L"Motorola - i850 Emulator",
                               L"Sony Ericsson 2.5 WTK2 - Default Emulator", L"Samsung SDK 1.0 - Default Emulator",
                               L"LG SDK 1.0 - Default Emulator"})
        EXPECT_NE(std::find(shown.begin(), shown.end(), row), shown.end()) << SdkBuilder::narrow(win32::fromWide(row));
    EXPECT_EQ(std::find(shown.begin(), shown.end(), L"MOTODEV SDK - B1 Emulator"), shown.end());
}

// The emulators as their release archives unpack (in Downloads, under Program
// Files), a Java whose javaw.exe records what it is given: the J2ME Scan
// proposes each, and each then receives its own command line, in its own folder
// (FreeJ2ME-Plus in one of the user's), for a descriptor and for a bare archive.
TEST_F(SetupScanBeyondTheRegistry, PortableEmulatorsAreProposedAndStartInTheirFolders) {
    const std::wstring java = machine.install(L"unregistered\\jdk-21", CommandLineRecorder::starter(),
                                              {L"bin\\javaw.exe", L"bin\\java.exe"});
    ASSERT_TRUE(writeFileBytes(java + L"\\release", bytesOf(release("21.0.1", "Eclipse Adoptium"))));
    MachineLayout emulators;
    const std::wstring kem = root() + L"\\profile\\Downloads\\KEmulator nnmod \u00e9";
    wchar_t programFiles[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH), 0u);
    const std::wstring free = std::wstring(programFiles) + L"\\FreeJ2ME-Plus";
    // FreeJ2ME-Plus keeps its saves where it starts, which under Program Files is
    // a folder of the user's own, made when it first starts.
    const std::wstring saves = root() + L"\\profile\\AppData\\Local\\Quillmont\\FreeJ2ME-Plus\\" +
                               free.substr(0, 1) + free.substr(2);
    const std::wstring micro = std::wstring(programFiles) + L"\\MicroEmulator 2.0";
    for (const std::wstring& file : {kem + L"\\KEmulator.bat", kem + L"\\lang\\en.txt", micro + L"\\lib\\a.jar"})
        emulators.files.push_back({win32::fromWide(file), "PK"});
    for (const auto& [file, mainClass] : {std::pair{kem + L"\\KEmulator.jar", "emulator.Emulator"},
                                          {free + L"\\freej2me.jar", "org.recompile.freej2me.FreeJ2ME"},
                                          {micro + L"\\microemulator.jar", "org.microemu.app.Main"}})
        emulators.files.push_back({win32::fromWide(file), programArchive(mainClass)});
    machine.apply(emulators);
    const std::wstring suite = makeTemporaryFolder(L"suite");
    const Bytes archive = ZipBuilder().add("META-INF/MANIFEST.MF", "MIDlet-Name: App\r\nMIDlet-1: App, , a.A\r\n").build();
    ASSERT_TRUE(writeFileBytes(suite + L"\\app.jar", archive) && writeFileBytes(suite + L"\\bare.jar", archive));
    ASSERT_TRUE(writeFileBytes(suite + L"\\app.jad", bytesOf("MIDlet-Jar-Size: " + std::to_string(archive.size()) +
                                                               "\r\nMIDlet-Jar-URL: app.jar\r\n")));

    DialogWindow(setup).click(kScanJ2me);
    HWND found = program->waitForDialogTitled(L"Detected J2ME Starters");
    ASSERT_NE(found, nullptr);
    DialogWindow results(found);
    EXPECT_EQ(results.listViewItems(kResultsList),
              (std::vector<std::wstring>{L"FreeJ2ME-Plus", L"KEmulator", L"MicroEmulator"}));
    results.click(kCheckAll);
    ASSERT_TRUE(eventually([&] { return results.isEnabled(kAddChecked); }));
    const StarterList j2me = addCheckedAndSave(found, StarterKind::J2ME);

    CommandLineRecorder recorder;
    TemporaryFolderOverride temp;
    auto q = [](const std::wstring& path) { return L"\"" + path + L"\""; };
    const std::wstring tempJad = q(temp.folder() + L"\\qlm_temp.jad"), tempJar = q(temp.folder() + L"\\qlm_temp.jar");
    // The exact arguments of each preset are the native tests' business; here the
    // real scan's starters run from their real folders.
    const std::map<std::wstring, std::wstring> folders = {{L"KEmulator", kem}, {L"FreeJ2ME-Plus", free},
                                                          {L"MicroEmulator", micro}};
    const std::map<std::wstring, std::wstring> startFolders = {{L"KEmulator", kem}, {L"FreeJ2ME-Plus", saves},
                                                               {L"MicroEmulator", micro}};
    ASSERT_EQ(j2me.slotCount(), 4);  // the three and the empty slot 0
    for (int slot = j2me.nextSlot(0); slot != 0; slot = j2me.nextSlot(slot)) {
        const StarterRecord& starter = j2me.record(slot);
        const std::wstring name = win32::toWide(starter.name), folder = folders.at(name);
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        EXPECT_EQ(starter.executableFile, win32::fromWide(java + L"\\bin\\javaw.exe"));
        EXPECT_NE(starter.arguments.find(win32::fromWide(L"\"" + folder + L"\\")), WideString::npos);
        win32::Win32Registry().setDword(RegistryRoot::CurrentUser, SettingsStore::kindKey(StarterKind::J2ME),
                                        u"DefaultAction", static_cast<std::uint32_t>(slot));
        for (const auto& [opened, jad, jar] :
             {std::tuple{suite + L"\\app.jad", q(suite + L"\\app.jad"), q(suite + L"\\app.jar")},
              std::tuple{suite + L"\\bare.jar", tempJad, tempJar}}) {
            recorder.clear();
            auto run = startQuillmont(L" " + q(opened));
            ASSERT_EQ(run->waitForExit(), 0u);
            std::wstring line = q(java + L"\\bin\\javaw.exe") + L" " + win32::toWide(starter.arguments);
            for (const auto& [key, value] : {std::pair{L"%1", jad}, std::pair{L"%2", jar}})
                if (const std::size_t at = line.find(key); at != std::wstring::npos) line.replace(at, 2, value);
            EXPECT_EQ(recorder.wait().value_or(u"<nothing>"), win32::fromWide(line));
            EXPECT_EQ(recorder.currentFolder().value_or(u"<nothing>"), win32::fromWide(startFolders.at(name)));
        }
    }
}
