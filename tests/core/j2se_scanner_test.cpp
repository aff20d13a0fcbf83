#include <gtest/gtest.h>

#include "core/scan/j2se_scanner.h"
#include "core/scan/scan_results.h"
#include "fake_scan_dialogs.h"
#include "flow_world.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kRuntimes = u"SOFTWARE\\JavaSoft\\Java Runtime Environment";
const WideString kKits = u"SOFTWARE\\JavaSoft\\Java Development Kit";

struct JavaMachine : FlowWorld {
    FakeScanDialogs scanDialogs;
    J2seScanner scanner{{platform, scanDialogs, store.list(StarterKind::J2SE)}};

    void install(const WideString& key, const WideString& subkey, const WideString& javaHome) {
        registry.createKey(RegistryRoot::LocalMachine, key + u"\\" + subkey);
        registry.setString(RegistryRoot::LocalMachine, key + u"\\" + subkey, u"JavaHome", javaHome);
    }
    void fullVersion(const WideString& executable, const WideString& version) {
        versions.add(executable, {{{0x0409, 0x04B0}}, {{u"040904b0\\Full Version", version}}});
    }
    // "name | group | rank | main | executable", in the order detected.
    std::vector<std::string> rows() const {
        std::vector<std::string> lines;
        for (const DetectedStarter& d : scanner.detected()) {
            std::string line(d.starter.name.begin(), d.starter.name.end());
            line += " | " + std::string(d.group.begin(), d.group.end()) + " | " + std::to_string(d.rank) +
                    (d.main ? " | main | " : " | - | ") + std::string(d.starter.executableFile.begin(), d.starter.executableFile.end());
            EXPECT_EQ(d.starter.arguments, u"-jar %1 %*");
            EXPECT_TRUE(d.excludeArgumentsPattern.empty() && d.requireArgumentsPattern.empty());
            lines.push_back(line);
        }
        return lines;
    }
};

}  // namespace

TEST(J2seScanner, AVersionComesFromTheLauncherOrFromASubkeyThatIsAFullVersion) {
    JavaMachine machine;
    machine.fullVersion(u"C:\\jre6\\bin\\javaw.exe", u"1.6.0_45-b06");
    machine.fullVersion(u"C:\\jre7\\bin\\javaw.exe", u"1.7.0");
    struct Case {
        WideString executable, fallback, expected;
    };
    const Case cases[] = {
        {u"C:\\jre6\\bin\\javaw.exe", u"1.6", u"1.6.0_45"},
        {u"C:\\jre7\\bin\\javaw.exe", u"anything", u"1.7.0"},
        {u"C:\\none\\bin\\javaw.exe", u"1.6.0_45", u"1.6.0_45"},
        {u"C:\\none\\bin\\javaw.exe", u"1.5.0", u"1.5.0"},
        {u"C:\\none\\bin\\javaw.exe", u"1.4.2_19", u"1.4.2_19"},
        {u"C:\\none\\bin\\javaw.exe", u"1.6", u""},
        {u"C:\\none\\bin\\javaw.exe", u"1.6.0-b12", u""},
        {u"C:\\none\\bin\\javaw.exe", u"v1.6.0_45", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(machine.scanner.javaVersionOf(c.executable, c.fallback), c.expected);
}

TEST(J2seScanner, ARuntimeBeatsTheSameVersionInAKitWhichBeatsTheKitsLaunchers) {
    JavaMachine machine;
    // One runtime under two subkeys, a kit of the same version, and a kit of its own.
    machine.install(kRuntimes, u"1.6", u"C:\\Java\\jre6");
    machine.install(kRuntimes, u"1.6.0_45", u"C:\\Java\\jre6\\");
    machine.install(kRuntimes, u"1.5", u"");  // no JavaHome: nothing
    machine.fullVersion(u"C:\\Java\\jre6\\bin\\javaw.exe", u"1.6.0_45-b06");
    machine.fullVersion(u"C:\\Java\\jre6\\bin\\java.exe", u"1.6.0_45-b06");
    machine.install(kKits, u"1.6.0_45", u"C:\\Java\\jdk6");
    machine.install(kKits, u"1.7.0_80", u"C:\\Java\\jdk7");  // gone from the disk: still proposed
    machine.scanner.scan();
    EXPECT_EQ(machine.rows(), (std::vector<std::string>{
                                  "JRE 1.6.0_45 (GUI) | JRE 1.6.0_45 (GUI) | 1 | main | C:\\Java\\jre6\\bin\\javaw.exe",
                                  "JRE 1.6.0_45 (Console) | JRE 1.6.0_45 (Console) | 1 | main | C:\\Java\\jre6\\bin\\java.exe",
                                  "JRE in JDK 1.6.0_45 (GUI) | JRE 1.6.0_45 (GUI) | 0 | - | C:\\Java\\jdk6\\jre\\bin\\javaw.exe",
                                  "JRE in JDK 1.6.0_45 (Console) | JRE 1.6.0_45 (Console) | 0 | - | C:\\Java\\jdk6\\jre\\bin\\java.exe",
                                  "JDK 1.6.0_45 (GUI) | JRE 1.6.0_45 (GUI) | -1 | - | C:\\Java\\jdk6\\bin\\javaw.exe",
                                  "JDK 1.6.0_45 (Console) | JRE 1.6.0_45 (Console) | -1 | - | C:\\Java\\jdk6\\bin\\java.exe",
                                  "JRE in JDK 1.7.0_80 (GUI) | JRE 1.7.0_80 (GUI) | 0 | main | C:\\Java\\jdk7\\jre\\bin\\javaw.exe",
                                  "JRE in JDK 1.7.0_80 (Console) | JRE 1.7.0_80 (Console) | 0 | main | C:\\Java\\jdk7\\jre\\bin\\java.exe",
                                  "JDK 1.7.0_80 (GUI) | JRE 1.7.0_80 (GUI) | -1 | - | C:\\Java\\jdk7\\bin\\javaw.exe",
                                  "JDK 1.7.0_80 (Console) | JRE 1.7.0_80 (Console) | -1 | - | C:\\Java\\jdk7\\bin\\java.exe",
                              }));
    EXPECT_EQ(resultRows(machine.scanner.detected(), false), (std::vector<std::size_t>{0, 1, 6, 7}));
}

TEST(J2seScanner, AConfiguredLauncherIsNotOfferedAgainWhateverItsArguments) {
    JavaMachine machine;
    machine.install(kRuntimes, u"1.6.0_45", u"C:\\Java\\jre6");
    machine.store.list(StarterKind::J2SE).placeRecord(1, {u"Mine", u"c:\\JAVA\\jre6\\bin\\JAVAW.exe", u"-Xmx1g -jar %1"});
    machine.scanDialogs.answer = [](std::vector<DetectedStarter>& detected) {
        EXPECT_EQ(resultRows(detected, false), std::vector<std::size_t>{1}) << "only the console launcher";
        return false;
    };
    EXPECT_FALSE(machine.scanner.run(kNoWindow));
    EXPECT_EQ(machine.scanDialogs.events.back(), "results Detected J2SE Starters");
}

TEST(J2seScanner, AnEmptyMachineHasNoJavaToOffer) {
    JavaMachine machine;
    machine.install(kRuntimes, u"1.6", u"C:\\Java\\jre6");  // no version anywhere
    EXPECT_FALSE(machine.scanner.run(WindowRef(5)));
    EXPECT_EQ(machine.scanDialogs.events,
              (std::vector<std::string>{"progress Scanning for J2SE Starters", "~progress"}));
    ASSERT_EQ(machine.ui.messages.size(), 1u);
    EXPECT_EQ(machine.ui.messages[0].text, u"No J2SE starters are detected.");
}
