#include <gtest/gtest.h>

#include "pe_header.h"

#include <cstring>

#include "core/scan/j2se_scanner.h"
#include "core/scan/java_release.h"
#include "core/scan/java_vendor.h"
#include "fake_scan_dialogs.h"
#include "flow_world.h"

using namespace quillmont;
using namespace quillmont::testing;

// How the J2SE scan finds the installations that vendors' installers of today
// register: in both views of both roots, with the subkey names they really use.

namespace {

constexpr std::uint16_t kX86 = 0x014C;
constexpr std::uint16_t kX64 = 0x8664;

enum class Where { Machine64, Machine32, User };

struct Value {
    Where where;
    const char16_t* key;
    const char16_t* name;
    const char16_t* data;
};

// What an installer puts into a home: a runtime's bin launchers; a kit's, with
// javac.exe; a Java 8 kit's, with its own jre folder as well.
enum class Layout { Runtime, Kit, Kit8 };

struct Install {
    const char16_t* folder;
    Layout layout;
    std::uint16_t machine;
    const char16_t* fullVersion;  // every launcher's "Full Version"; null: no string table
    std::optional<FixedFileVersion> fixed = {};
};

struct Machine {
    FlowWorld world;
    FakeScanDialogs dialogs;
    StarterList starters;
    J2seScanner scanner{{world.platform, dialogs, starters}};

    void set(const Value& v) {
        const RegistryRoot root = v.where == Where::User ? RegistryRoot::CurrentUser : RegistryRoot::LocalMachine;
        const RegistryView view = v.where == Where::Machine32 ? RegistryView::Bits32 : RegistryView::Bits64;
        const WideString key = FakeRegistry::inView(root, v.key, view);
        ASSERT_TRUE(world.registry.createKey(root, key));
        ASSERT_TRUE(world.registry.setString(root, key, v.name, v.data));
    }

    void launcher(const WideString& path, std::uint16_t machine, const char16_t* fullVersion) {
        world.files.addFile(path, peHeader(machine));
        if (fullVersion != nullptr)
            world.versions.add(path, {{{0x0409, 0x04B0}}, {{u"040904b0\\Full Version", fullVersion}}});
    }

    void install(const Install& home) {
        const WideString folder = home.folder;
        for (const char16_t* name : {u"\\bin\\java.exe", u"\\bin\\javaw.exe"}) {
            launcher(folder + name, home.machine, home.fullVersion);
            if (home.fixed) world.versions.setFixedFileVersion(folder + name, *home.fixed);
            if (home.layout == Layout::Kit8) launcher(folder + u"\\jre" + name, home.machine, home.fullVersion);
        }
        if (home.layout != Layout::Runtime) world.files.addFile(folder + u"\\bin\\javac.exe", peHeader(home.machine));
    }

    // "name <- executable", with " (nonmain)" after the name of a proposal that
    // another of its group outranks.
    std::vector<WideString> scan() {
        scanner.scan();
        std::vector<WideString> found;
        for (const DetectedStarter& d : scanner.detected()) {
            EXPECT_EQ(d.starter.arguments, u"-jar %1 %*") << std::string(d.starter.name.begin(), d.starter.name.end());
            found.push_back(d.starter.name + (d.main ? u"" : u" (nonmain)") + u" <- " + d.starter.executableFile);
        }
        return found;
    }
};

// A windowed and a console proposal: the line with %s for "GUI" and "Console", and
// the folder of javaw.exe and java.exe.
struct Pair {
    WideString line;
    WideString bin;
};

std::vector<WideString> lines(const std::vector<Pair>& pairs) {
    std::vector<WideString> result;
    for (const Pair& pair : pairs)
        for (const auto& [window, launcher] : {std::pair{u"GUI", u"javaw.exe"}, std::pair{u"Console", u"java.exe"}}) {
            WideString line = pair.line;
            line.replace(line.find(u"%s"), 2, window);
            result.push_back(line + u" <- " + pair.bin + u"\\" + launcher);
        }
    return result;
}

std::string narrow(const std::vector<WideString>& lines) {
    std::string text;
    for (const WideString& line : lines) text += std::string(line.begin(), line.end()) + "\n";
    return text;
}

const WideString kAdoptium21 = u"C:\\Program Files\\Eclipse Adoptium\\jdk-21.0.1.12-hotspot";
const WideString kAdoptOpenJdk8 = u"C:\\Program Files\\AdoptOpenJDK\\jdk-8.0.292.10-hotspot";
const WideString kAdoptOpenJre8 = u"C:\\Program Files\\AdoptOpenJDK\\jre-8.0.292.10-openj9";
const WideString kMicrosoft17 = u"C:\\Program Files\\Microsoft\\jdk-17.0.9.8-hotspot";
const WideString kSemeru17 = u"C:\\Program Files\\Semeru\\jdk-17.0.9.9-openj9";
const WideString kFoundation11 = u"C:\\Program Files\\Eclipse Foundation\\jdk-11.0.12.7-hotspot";
const WideString kZulu8x86 = u"C:\\Program Files (x86)\\Zulu\\zulu-8";
const WideString kZulu8 = u"C:\\Program Files\\Zulu\\zulu-8";
const WideString kZulu21 = u"C:\\Program Files\\Zulu\\zulu-21";
const WideString kLiberica8 = u"C:\\Program Files\\BellSoft\\LibericaJDK-8";
const WideString kLiberica17 = u"C:\\Program Files\\BellSoft\\LibericaJRE-17";
const WideString kOracle21 = u"C:\\Program Files\\Java\\jdk-21";
const WideString kOracle9 = u"C:\\Program Files\\Java\\jre-9.0.4";
const WideString kTemurinJre8 = u"C:\\Program Files\\Eclipse Adoptium\\jre-8.0.392.8-hotspot";
const WideString kTemurinJre8x86 = u"C:\\Program Files (x86)\\Eclipse Adoptium\\jre-8.0.392.8-hotspot";
const WideString kTemurinJdk8 = u"C:\\Program Files\\Eclipse Adoptium\\jdk-8.0.392.8-hotspot";
const WideString kPerUser = u"C:\\Users\\Tester\\AppData\\Local\\Programs\\Eclipse Adoptium\\jdk-17.0.9.9-hotspot";

}  // namespace

TEST(JavaInstallations, EachVendorsLayoutIsProposedWithItsLaunchersVersionsAndRanks) {
    struct Case {
        const char* what;
        std::vector<Install> installs;
        std::vector<Value> values;
        std::vector<Pair> expected;
    };
    const Case cases[] = {
        {"Adoptium: Path of the MSI subkey; its JavaHome is only a flag",
         {{kAdoptium21.c_str(), Layout::Kit, kX64, u"21.0.1+12-LTS"}},
         {{Where::Machine64, u"SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI", u"Path",
           u"C:\\Program Files\\Eclipse Adoptium\\jdk-21.0.1.12-hotspot\\"},
          {Where::Machine64, u"SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI", u"JavaHome", u"1"}},
         {{u"Temurin JDK 21.0.1+12 (%s)", kAdoptium21 + u"\\bin"}}},
        {"AdoptOpenJDK 8: an OpenJ9 runtime outranks a HotSpot kit of its version",
         {{kAdoptOpenJdk8.c_str(), Layout::Kit8, kX64, u"1.8.0_292-b10"},
          {kAdoptOpenJre8.c_str(), Layout::Runtime, kX64, u"1.8.0_292-b10"}},
         {{Where::Machine64, u"SOFTWARE\\AdoptOpenJDK\\JDK\\8.0.292.10\\hotspot\\MSI", u"Path",
           kAdoptOpenJdk8.c_str()},
          {Where::Machine64, u"SOFTWARE\\AdoptOpenJDK\\JRE\\8.0.292.10\\openj9\\MSI", u"Path",
           kAdoptOpenJre8.c_str()}},
         {{u"AdoptOpenJDK JRE 1.8.0_292 (%s)", kAdoptOpenJre8 + u"\\bin"},
          {u"AdoptOpenJDK JRE in JDK 1.8.0_292 (%s) (nonmain)", kAdoptOpenJdk8 + u"\\jre\\bin"},
          {u"AdoptOpenJDK JDK 1.8.0_292 (%s) (nonmain)", kAdoptOpenJdk8 + u"\\bin"}}},
        {"Microsoft, Semeru and the Eclipse Foundation",
         {{kMicrosoft17.c_str(), Layout::Kit, kX64, u"17.0.9+8-LTS"},
          {kSemeru17.c_str(), Layout::Kit, kX64, u"17.0.9+9"},
          {kFoundation11.c_str(), Layout::Kit, kX64, u"11.0.12+7"}},
         {{Where::Machine64, u"SOFTWARE\\Microsoft\\JDK\\17.0.9.8\\hotspot\\MSI", u"Path", kMicrosoft17.c_str()},
          {Where::Machine64, u"SOFTWARE\\Semeru\\JDK\\17.0.9.9\\openj9\\MSI", u"Path", kSemeru17.c_str()},
          {Where::Machine64, u"SOFTWARE\\Eclipse Foundation\\JDK\\11.0.12.7\\hotspot\\MSI", u"Path",
           kFoundation11.c_str()}},
         {{u"Temurin JDK 11.0.12+7 (%s)", kFoundation11 + u"\\bin"},
          {u"Semeru JDK 17.0.9+9 (%s)", kSemeru17 + u"\\bin"},
          {u"Microsoft JDK 17.0.9+8 (%s)", kMicrosoft17 + u"\\bin"}}},
        {"Zulu: a 32-bit and a 64-bit kit of one version, told apart; kit or not by javac.exe",
         {{kZulu8x86.c_str(), Layout::Kit8, kX86, u"1.8.0_392-b08"},
          {kZulu8.c_str(), Layout::Kit8, kX64, u"1.8.0_392-b08"},
          {kZulu21.c_str(), Layout::Runtime, kX64, u"21.0.1+12-LTS"}},
         {{Where::Machine32, u"SOFTWARE\\Azul Systems\\Zulu\\zulu-8", u"InstallationPath", kZulu8x86.c_str()},
          {Where::Machine64, u"SOFTWARE\\Azul Systems\\Zulu\\zulu-8", u"InstallationPath", kZulu8.c_str()},
          {Where::Machine64, u"SOFTWARE\\Azul Systems\\Zulu\\zulu-21", u"InstallationPath", kZulu21.c_str()}},
         {{u"Zulu JRE 21.0.1+12 (%s)", kZulu21 + u"\\bin"},
          {u"Zulu JRE in JDK 1.8.0_392 (%s)", kZulu8 + u"\\jre\\bin"},
          {u"Zulu JDK 1.8.0_392 (%s) (nonmain)", kZulu8 + u"\\bin"},
          {u"Zulu JRE in JDK 1.8.0_392 (%s, 32-bit)", kZulu8x86 + u"\\jre\\bin"},
          {u"Zulu JDK 1.8.0_392 (%s, 32-bit) (nonmain)", kZulu8x86 + u"\\bin"}}},
        {"Zulu 32-bit and Liberica, a kit and a runtime",
         {{kZulu8x86.c_str(), Layout::Runtime, kX86, u"1.8.0_392-b08"},
          {kLiberica8.c_str(), Layout::Kit8, kX64, u"1.8.0_392-b09"},
          {kLiberica17.c_str(), Layout::Runtime, kX64, u"17.0.9+11-LTS"}},
         {{Where::Machine32, u"SOFTWARE\\Azul Systems\\Zulu 32-bit\\zulu-8", u"InstallationPath",
           kZulu8x86.c_str()},
          {Where::Machine64, u"SOFTWARE\\BellSoft\\Liberica\\jdk-8", u"InstallationPath", kLiberica8.c_str()},
          {Where::Machine64, u"SOFTWARE\\BellSoft\\Liberica\\jre-17", u"InstallationPath", kLiberica17.c_str()}},
         {{u"Liberica JRE in JDK 1.8.0_392 (%s)", kLiberica8 + u"\\jre\\bin"},
          {u"Liberica JDK 1.8.0_392 (%s) (nonmain)", kLiberica8 + u"\\bin"},
          {u"Liberica JRE 17.0.9+11 (%s)", kLiberica17 + u"\\bin"},
          {u"Zulu JRE 1.8.0_392 (%s, 32-bit)", kZulu8x86 + u"\\bin"}}},
        {"JavaSoft keys since Java 9: JavaHome, no jre folder in the home",
         {{kOracle21.c_str(), Layout::Kit, kX64, u"21.0.1+12-LTS-29"},
          {kOracle9.c_str(), Layout::Runtime, kX64, u"9.0.4+11"}},
         {{Where::Machine64, u"SOFTWARE\\JavaSoft\\JDK\\21", u"JavaHome", kOracle21.c_str()},
          {Where::Machine64, u"SOFTWARE\\JavaSoft\\JDK\\21.0.1", u"JavaHome", kOracle21.c_str()},
          {Where::Machine64, u"SOFTWARE\\JavaSoft\\JRE\\9.0.4", u"JavaHome", kOracle9.c_str()}},
         {{u"JRE 9.0.4+11 (%s)", kOracle9 + u"\\bin"},
          {u"JDK 21.0.1+12 (%s)", kOracle21 + u"\\bin"}}},
        {"keys left behind by uninstalled runtimes",
         {},
         {{Where::Machine64, u"SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI", u"Path",
           kAdoptium21.c_str()},
          {Where::Machine64, u"SOFTWARE\\JavaSoft\\JDK\\17.0.9", u"JavaHome", u"C:\\Program Files\\Java\\jdk-17"},
          {Where::User, u"SOFTWARE\\Azul Systems\\Zulu\\zulu-21", u"InstallationPath", kZulu21.c_str()}},
         {}},
        {"one runtime under the classic key, Adoptium's key and both views: proposed once",
         {{kTemurinJre8.c_str(), Layout::Runtime, kX64, u"1.8.0_392-b08"}},
         {{Where::Machine64, u"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8.0_392", u"JavaHome",
           kTemurinJre8.c_str()},
          {Where::Machine64, u"SOFTWARE\\Eclipse Adoptium\\JRE\\8.0.392.8\\hotspot\\MSI", u"Path",
           u"c:\\program files\\eclipse adoptium\\JRE-8.0.392.8-HOTSPOT\\"},
          {Where::Machine32, u"SOFTWARE\\Eclipse Adoptium\\JRE\\8.0.392.8\\hotspot\\MSI", u"Path",
           kTemurinJre8.c_str()},
          {Where::User, u"SOFTWARE\\JavaSoft\\JRE\\1.8.0_392", u"JavaHome", kTemurinJre8.c_str()}},
         {{u"JRE 1.8.0_392 (%s)", kTemurinJre8 + u"\\bin"}}},
        {"one launcher that two keys would name differently: the first to reach it names it",
         {{kTemurinJre8.c_str(), Layout::Runtime, kX64, nullptr, FixedFileVersion{8, 0, 3920, 8}}},
         {{Where::Machine64, u"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8.0_392", u"JavaHome",
           kTemurinJre8.c_str()},
          {Where::Machine64, u"SOFTWARE\\Eclipse Adoptium\\JRE\\8.0.392.8\\hotspot\\MSI", u"Path",
           kTemurinJre8.c_str()}},
         {{u"JRE 1.8.0_392 (%s)", kTemurinJre8 + u"\\bin"}}},
        {"a 32-bit runtime does not hide a 64-bit kit of its version",
         {{kTemurinJre8x86.c_str(), Layout::Runtime, kX86, u"1.8.0_392-b08"},
          {kTemurinJdk8.c_str(), Layout::Kit8, kX64, u"1.8.0_392-b08"}},
         {{Where::Machine32, u"SOFTWARE\\Eclipse Adoptium\\JRE\\8.0.392.8\\hotspot\\MSI", u"Path",
           kTemurinJre8x86.c_str()},
          {Where::Machine64, u"SOFTWARE\\Eclipse Adoptium\\JDK\\8.0.392.8\\hotspot\\MSI", u"Path",
           kTemurinJdk8.c_str()}},
         {{u"Temurin JRE in JDK 1.8.0_392 (%s)", kTemurinJdk8 + u"\\jre\\bin"},
          {u"Temurin JDK 1.8.0_392 (%s) (nonmain)", kTemurinJdk8 + u"\\bin"},
          {u"Temurin JRE 1.8.0_392 (%s, 32-bit)", kTemurinJre8x86 + u"\\bin"}}},
        {"a per-user install under the current user",
         {{kPerUser.c_str(), Layout::Kit, kX64, u"17.0.9+9"}},
         {{Where::User, u"SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.9.9\\hotspot\\MSI", u"Path", kPerUser.c_str()}},
         {{u"Temurin JDK 17.0.9+9 (%s)", kPerUser + u"\\bin"}}},
        {"the classic keys elsewhere keep their rules: no existence check, the subkey as version",
         {},
         {{Where::Machine64, u"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.6.0_45", u"JavaHome",
           u"C:\\Program Files\\Java\\jre6"},
          {Where::Machine32, u"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.6.0_45", u"JavaHome",
           u"C:\\Program Files (x86)\\Java\\jre6"},
          {Where::User, u"SOFTWARE\\JavaSoft\\Java Development Kit\\1.7.0_80", u"JavaHome",
           u"C:\\Users\\Tester\\jdk1.7.0_80"}},
         {{u"JRE 1.6.0_45 (%s)", u"C:\\Program Files\\Java\\jre6\\bin"},
          {u"JRE 1.6.0_45 (%s, 32-bit)", u"C:\\Program Files (x86)\\Java\\jre6\\bin"},
          {u"JRE in JDK 1.7.0_80 (%s)", u"C:\\Users\\Tester\\jdk1.7.0_80\\jre\\bin"},
          {u"JDK 1.7.0_80 (%s) (nonmain)", u"C:\\Users\\Tester\\jdk1.7.0_80\\bin"}}},
    };
    for (const Case& c : cases) {
        Machine machine;
        for (const Install& home : c.installs) machine.install(home);
        for (const Value& value : c.values) machine.set(value);
        EXPECT_EQ(narrow(machine.scan()), narrow(lines(c.expected))) << c.what;
    }
}

TEST(JavaInstallations, TheVersionComesFromTheLauncherElseFromASubkeyNameThatIsOne) {
    struct Case {
        const char* what;
        const char16_t* subkey;
        const char16_t* fullVersion;            // null: no string table
        std::optional<FixedFileVersion> fixed;  // nothing: no version resource at all
        const char16_t* expected;               // null: no proposal
    };
    const Case cases[] = {
        {"Java 8's Full Version", u"zulu-8", u"1.8.0_392-b08", FixedFileVersion{8, 0, 3920, 8}, u"1.8.0_392"},
        {"a Full Version without a dash", u"zulu-21", u"21.0.1+12", FixedFileVersion{21, 0, 1, 12}, u"21.0.1+12"},
        {"the fixed file version, all four parts", u"zulu-21", nullptr, FixedFileVersion{21, 0, 1, 12},
         u"21.0.1.12"},
        {"a Full Version that starts with a dash", u"zulu-17", u"-b09", FixedFileVersion{17, 0, 9, 0},
         u"17.0.9.0"},
        {"the vendor's subkey name", u"8.0.392.8", nullptr, std::nullopt, u"8.0.392.8"},
        {"a fixed version of zeros says nothing", u"21.0.1.12", nullptr, FixedFileVersion{}, u"21.0.1.12"},
        {"a version after the subkey name's last dash", u"jdk-17.0.9", nullptr, std::nullopt, u"17.0.9"},
        {"a feature release after a prefix is no version", u"zulu-8", nullptr, std::nullopt, nullptr},
        {"a bare feature release is no version", u"21", nullptr, std::nullopt, nullptr},
        {"nor is a prefix alone", u"jdk-", nullptr, std::nullopt, nullptr},
    };
    const WideString home = u"C:\\Program Files\\Zulu\\home";
    for (const Case& c : cases) {
        Machine machine;
        machine.install({home.c_str(), Layout::Runtime, kX64, c.fullVersion, c.fixed});
        machine.set({Where::Machine64, (WideString(u"SOFTWARE\\Azul Systems\\Zulu\\") + c.subkey).c_str(),
                     u"InstallationPath", home.c_str()});
        std::vector<Pair> expected;
        if (c.expected != nullptr) expected.push_back({WideString(u"Zulu JRE ") + c.expected + u" (%s)", home + u"\\bin"});
        EXPECT_EQ(narrow(machine.scan()), narrow(lines(expected))) << c.what;
    }
}

TEST(JavaInstallations, TheLaunchersHeaderSaysWhetherItIs32BitAndTheViewOnlyWhenItCannot) {
    struct Case {
        const char* what;
        Where where;
        std::optional<Bytes> launcher;  // nothing: the file cannot be opened
        const char16_t* expected;
    };
    const Case cases[] = {
        {"x86 found in the 64-bit view", Where::Machine64, peHeader(kX86), u"JRE 17.0.9 (GUI, 32-bit)"},
        {"x64 found in the 32-bit view", Where::Machine32, peHeader(kX64), u"JRE 17.0.9 (GUI)"},
        {"ARM64", Where::Machine32, peHeader(0xAA64), u"JRE 17.0.9 (GUI)"},
        {"no PE header, 32-bit view", Where::Machine32, Bytes{'#', '!'}, u"JRE 17.0.9 (GUI, 32-bit)"},
        {"no PE header, 64-bit view", Where::Machine64, Bytes{'#', '!'}, u"JRE 17.0.9 (GUI)"},
        {"no PE header, current user", Where::User, Bytes{'#', '!'}, u"JRE 17.0.9 (GUI)"},
        {"unopenable, 32-bit view", Where::Machine32, std::nullopt, u"JRE 17.0.9 (GUI, 32-bit)"},
    };
    const WideString javaw = u"C:\\Java\\jre-17\\bin\\javaw.exe";
    for (const Case& c : cases) {
        Machine machine;
        machine.world.files.addFile(javaw, c.launcher.value_or(peHeader(kX86)));
        if (!c.launcher) machine.world.files.unopenable.insert(FakeFiles::key(javaw));
        machine.set({c.where, u"SOFTWARE\\JavaSoft\\JRE\\17.0.9", u"JavaHome", u"C:\\Java\\jre-17"});
        EXPECT_EQ(narrow(machine.scan()), narrow({c.expected + (u" <- " + javaw)})) << c.what;
    }
}

// Java that no registry key names: where the environment points and where
// installers, IDEs, build tools and package managers unpack it.
TEST(JavaInstallations, HomesOutsideTheRegistryAreFoundOnceAndNamedApart) {
    const WideString pf = u"C:\\Program Files", user = u"C:\\Users\\Tester";
    struct Home {
        WideString folder;
        Layout layout;
        const char* release;  // null: no release file
    };
    struct Case {
        const char* what;
        std::vector<std::pair<const char16_t*, WideString>> variables;
        std::vector<Home> homes;
        std::vector<Value> values;
        std::vector<Pair> expected;
    };
    const WideString adoptium17 = pf + u"\\Eclipse Adoptium\\jdk-17";
    const char* temurin17 = "JAVA_VERSION=\"17.0.9\"\nIMPLEMENTOR=\"Eclipse Adoptium\"\nOS_ARCH=\"amd64\"\n";
    const char* corretto17 = "IMPLEMENTOR=\"Amazon.com Inc.\"\r\nJAVA_VERSION=\"17.0.9\"\r\n";
    const Case cases[] = {
        {"JAVA_HOME with quotes and a trailing backslash; a stale JDK_HOME",
         {{u"JAVA_HOME", u" \"C:\\jdk\\temurin-17\\\" "}, {u"JDK_HOME", u"C:\\gone"}},
         {{u"C:\\jdk\\temurin-17", Layout::Kit, temurin17}},
         {},
         {{u"Temurin JDK 17.0.9 (%s)", u"C:\\jdk\\temurin-17\\bin"}}},
        {"PATH: a bin folder's parent; Oracle's javapath and a folder without a home are not homes",
         {{u"PATH", u"C:\\ProgramData\\Oracle\\Java\\javapath;;C:\\tools;\"C:\\jdk-21\\bin\\\";C:\\jdk-21\\BIN"}},
         {{u"C:\\jdk-21", Layout::Kit, "JAVA_VERSION=\"21.0.1\"\nIMPLEMENTOR=\"Oracle Corporation\"\n"}},
         {},
         {{u"Oracle JDK 21.0.1 (%s)", u"C:\\jdk-21\\bin"}}},
        {"IDEA's .jdks, Gradle's jdks one level deeper, Scoop's current, a vendor folder without java.exe",
         {{u"USERPROFILE", user}, {u"ProgramFiles", pf}},
         {{user + u"\\.jdks\\corretto-17.0.9", Layout::Kit, corretto17},
          {user + u"\\.gradle\\jdks\\azul-8-amd64\\zulu8", Layout::Runtime,
           "JAVA_VERSION=\"1.8.0_392\"\nIMPLEMENTOR=\"Azul Systems, Inc.\"\nOS_ARCH=\"x86\"\n"},
          {user + u"\\scoop\\apps\\temurin21-jdk\\current", Layout::Kit,
           "JAVA_VERSION=\"21.0.1\"\nIMPLEMENTOR=\"Eclipse Adoptium\"\n"},
          {pf + u"\\Amazon Corretto\\jdk17.0.9_8\\lib", Layout::Runtime, nullptr}},
         {},
         {{u"Corretto JDK 17.0.9 (%s)", user + u"\\.jdks\\corretto-17.0.9\\bin"},
          {u"Zulu JRE 1.8.0_392 (%s, 32-bit)", user + u"\\.gradle\\jdks\\azul-8-amd64\\zulu8\\bin"},
          {u"Temurin JDK 21.0.1 (%s)", user + u"\\scoop\\apps\\temurin21-jdk\\current\\bin"}}},
        {"vendor folders name the vendor when no release file does; per-user installs too",
         {{u"ProgramFiles", pf}, {u"ProgramFiles(x86)", u"C:\\Program Files (x86)"},
          {u"LOCALAPPDATA", user + u"\\AppData\\Local"}},
         {{pf + u"\\Zulu\\zulu-17", Layout::Runtime, "JAVA_VERSION=17.0.9\n"},
          {user + u"\\AppData\\Local\\Programs\\Eclipse Adoptium\\jdk-17.0.9.9-hotspot", Layout::Kit, temurin17}},
         {},
         {{u"Zulu JRE 17.0.9 (%s)", pf + u"\\Zulu\\zulu-17\\bin"},
          {u"Temurin JDK 17.0.9 (%s)", user + u"\\AppData\\Local\\Programs\\Eclipse Adoptium\\jdk-17.0.9.9-hotspot\\bin"}}},
        {"after the registry; a home reached by another spelling of its path is proposed once",
         {{u"JAVA_HOME", pf + u"\\..\\PROGRAM FILES\\Eclipse Adoptium\\jdk-17"}, {u"ProgramFiles", pf}},
         {{pf + u"\\Eclipse Adoptium\\jdk-17", Layout::Kit, temurin17}},
         {{Where::Machine64, u"SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.9.9\\hotspot\\MSI", u"Path",
           adoptium17.c_str()}},
         {{u"Temurin JDK 17.0.9 (%s)", pf + u"\\Eclipse Adoptium\\jdk-17\\bin"}}},
        {"two identical builds in two places, and a classic key's runtime of a version without vendor",
         {{u"USERPROFILE", user}, {u"ProgramFiles", pf}},
         {{user + u"\\.jdks\\temurin-17", Layout::Kit, temurin17},
          {pf + u"\\Eclipse Adoptium\\jdk-17", Layout::Kit, temurin17},
          {u"C:\\Java\\jre8", Layout::Runtime, nullptr},
          {pf + u"\\Java\\jre-1.8", Layout::Runtime, "JAVA_VERSION=\"1.8.0_392\"\nIMPLEMENTOR=\"N/A\"\n"}},
         {{Where::Machine64, u"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8.0_392", u"JavaHome",
           u"C:\\Java\\jre8"}},
         {{u"JRE 1.8.0_392 (%s)", u"C:\\Java\\jre8\\bin"},
          {u"JRE 1.8.0_392 (%s) in " + pf + u"\\Java\\jre-1.8", pf + u"\\Java\\jre-1.8\\bin"},
          {u"Temurin JDK 17.0.9 (%s) in " + pf + u"\\Eclipse Adoptium\\jdk-17", pf + u"\\Eclipse Adoptium\\jdk-17\\bin"},
          {u"Temurin JDK 17.0.9 (%s) in " + user + u"\\.jdks\\temurin-17", user + u"\\.jdks\\temurin-17\\bin"}}},
    };
    for (const Case& c : cases) {
        Machine machine;
        for (const auto& [name, value] : c.variables) machine.world.environment.set(name, value);
        for (const Home& home : c.homes) {
            machine.install({home.folder.c_str(), home.layout, kX64, nullptr, FixedFileVersion{1, 8, 0, 392}});
            if (home.release != nullptr)
                machine.world.files.addFile(home.folder + u"\\release", Bytes(home.release, home.release + std::strlen(home.release)));
        }
        for (const Value& value : c.values) machine.set(value);
        EXPECT_EQ(narrow(machine.scan()), narrow(lines(c.expected))) << c.what;
    }
}

TEST(JavaRelease, AnyBytesGiveAtMostTheThreeBoundedValues) {
    struct Case {
        std::string bytes;
        const char16_t* version;
        const char16_t* vendor;
        std::optional<bool> bits32;
    };
    const std::string longValue(200, 'v');
    const Case cases[] = {
        {"JAVA_VERSION=\"1.8.0_392\"\r\nIMPLEMENTOR=\"Azul Systems, Inc.\"\r\nOS_ARCH=\"x86\"\r\n", u"1.8.0_392", u"Zulu", true},
        {"\xEF\xBB\xBFJAVA_VERSION=17.0.9\nOS_ARCH = amd64\nIMPLEMENTOR=\"SAP SE", u"17.0.9", u"SapMachine", false},
        {"IMPLEMENTOR=\"Example Builds, Ltd.\"\nJAVA_VERSION=\"21\"\nJAVA_VERSION=\"99\"\n", u"21", u"Example Builds", std::nullopt},
        {"MODULES=\"java.base\"\nJAVA_VERSION=\"\"\nIMPLEMENTOR=N/A\nOS_ARCH=\"sparc\"", u"", u"", std::nullopt},
        {std::string("JAVA_VERSION=\"17\x01\0\xFF\"\nno equals sign\n=\"\"\n", 30), nullptr, u"", std::nullopt},
        {"JAVA_VERSION=\"" + longValue + "\"", nullptr, u"", std::nullopt},
        {std::string(JavaRelease::kMaxBytes, '#') + "\nJAVA_VERSION=\"17\"\n", u"", u"", std::nullopt},
    };
    for (const Case& c : cases) {
        const JavaRelease release = JavaRelease::parse(std::span(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()));
        if (c.version != nullptr) {
            EXPECT_EQ(release.version, c.version) << c.bytes.substr(0, 40);
        }
        EXPECT_LE(release.version.size(), JavaRelease::kMaxValue);
        EXPECT_EQ(javaVendorName(release.implementor), c.vendor) << c.bytes.substr(0, 40);
        EXPECT_EQ(release.is32Bit(), c.bits32) << c.bytes.substr(0, 40);
    }
}
