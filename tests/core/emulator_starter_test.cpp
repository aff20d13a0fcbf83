#include <gtest/gtest.h>

#include "core/launch/jad_flow.h"
#include "core/launch/jar_flow.h"
#include "core/setup/starter_edit_model.h"
#include "flow_world.h"
#include "testdata.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr auto J2ME = StarterKind::J2ME;
const WideString kEmulators = u"D:\\Spiele und Emulatoren\\\u00c9mulateur \u65e5\u672c";
const WideString kTemp = u"C:\\Users\\Tester\\AppData\\Local\\Temp\\";
const WideString kJdk8 = u"C:\\Java\\jdk8", kJdk11 = u"C:\\Java\\jdk-11", kJdk21 = u"E:\\Tools\\jdk-21";

std::string ascii(const WideString& text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

enum class Java { Starter17, ScanOnly21, Starter11Scan8, None };

struct PresetCase {
    const char16_t* archive;
    Java java;
    WideString launcher;   // empty: no Java, nothing filled
    WideString arguments;  // with the folder written out
    WideString source;
    WideString descriptorLine;  // after the launcher, for C:\Suites\app.jad and app.jar
    WideString bareLine;        // after the launcher, for C:\Suites\bare.jar
};

const WideString q = u"\"";
const WideString kJadPath = u"C:\\Suites\\app.jad", kJarPath = u"C:\\Suites\\app.jar";
const WideString kBarePath = u"C:\\Suites\\bare.jar";  // no descriptor beside it
std::vector<PresetCase> presetCases() {
    const WideString kem = u"-Djava.library.path=\"" + kEmulators + u"\" -Xmx512M -Dfile.encoding=UTF-8 -jar \"" +
                           kEmulators + u"\\KEmulator.jar\" -jad %1 -jar %2";
    const WideString free = u"-Dfile.encoding=ISO_8859_1 -jar \"" + kEmulators + u"\\freej2me.jar\" %2";
    const WideString micro = u"-jar \"" + kEmulators + u"\\microemulator.jar\" %1";
    const WideString tempJad = q + kTemp + u"qlm_temp.jad" + q, tempJar = q + kTemp + u"qlm_temp.jar" + q;
    auto kemLine = [&](const WideString& jad, const WideString& jar) {
        return u" -Djava.library.path=\"" + kEmulators + u"\" -Xmx512M -Dfile.encoding=UTF-8 -jar \"" + kEmulators +
               u"\\KEmulator.jar\" -jad " + jad + u" -jar " + jar;
    };
    return {
        // A starter's java.exe gives the javaw.exe beside it.
        {u"KEmulator.jar", Java::Starter17, u"C:\\Java\\jdk-17\\bin\\javaw.exe", kem,
         u"Java: the J2SE starter \"Java 17\".", kemLine(q + kJadPath + q, q + kJarPath + q), kemLine(tempJad, tempJar)},
        // No J2SE starter: the J2SE scan's Java, named so.
        {u"freej2me.jar", Java::ScanOnly21, kJdk21 + u"\\bin\\javaw.exe", free,
         u"Java: \"JRE 21.0.1 (GUI)\", found by a J2SE scan.", u" -Dfile.encoding=ISO_8859_1 -jar \"" + kEmulators +
         u"\\freej2me.jar\" " + q + kJarPath + q, u" -Dfile.encoding=ISO_8859_1 -jar \"" + kEmulators +
         u"\\freej2me.jar\" " + tempJar},
        // KEmulator does not run on Java 11: the scan's Java 8 is taken instead.
        {u"KEMULATOR.JAR", Java::Starter11Scan8, kJdk8 + u"\\bin\\javaw.exe", kem,
         u"Java: \"JRE 1.8.0_392 (GUI)\", found by a J2SE scan.", kemLine(q + kJadPath + q, q + kJarPath + q),
         kemLine(tempJad, tempJar)},
        {u"microemulator.jar", Java::Starter17, u"C:\\Java\\jdk-17\\bin\\javaw.exe", micro,
         u"Java: the J2SE starter \"Java 17\".", u" -jar \"" + kEmulators + u"\\microemulator.jar\" " + q + kJadPath + q,
         u" -jar \"" + kEmulators + u"\\microemulator.jar\" " + tempJad},
        {u"microemulator.jar", Java::None, {}, {}, {}, {}, {}},
    };
}

// A machine of fakes for one case: its Java, an emulator's folder and a suite.
struct Machine {
    FlowWorld world;
    StarterList javaStarters;

    Machine() { world.files.addFolder(kTemp); }

    void addJava(const WideString& home, const std::string& version) {
        world.files.addFile(home + u"\\bin\\java.exe", std::string("MZ"));
        world.files.addFile(home + u"\\bin\\javaw.exe", std::string("MZ"));
        world.files.addFile(home + u"\\release", "JAVA_VERSION=\"" + version + "\"\nOS_ARCH=\"amd64\"\n");
    }
    void lay(Java java) {
        if (java == Java::Starter17) {
            addJava(u"C:\\Java\\jdk-17", "17.0.9");
            javaStarters.placeRecord(1, {u"Java 17", u"C:\\Java\\jdk-17\\bin\\java.exe", u"-jar %1 %*"});
        } else if (java == Java::ScanOnly21) {
            addJava(kJdk21, "21.0.1");
            world.environment.set(u"JAVA_HOME", kJdk21);
        } else if (java == Java::Starter11Scan8) {
            addJava(kJdk11, "11.0.2");
            javaStarters.placeRecord(2, {u"Java 11", kJdk11 + u"\\bin\\javaw.exe", u"-jar %1 %*"});
            addJava(kJdk8, "1.8.0_392");
            world.environment.set(u"JDK_HOME", kJdk8);
        }
    }
    WideString lineFor(const StarterRecord& starter, bool bare) {
        world.store.list(J2ME).placeRecord(1, starter);
        world.setActions(J2ME, 1, 0);
        world.processes.programs.insert(starter.executableFile);
        world.processes.started.clear();
        world.processes.folders.clear();
        const bool ok = bare ? runJarFlow(world.context, kBarePath, true, {})
                             : runJadFlow(world.context, kJadPath, true, {});
        if (!ok || world.processes.started.size() != 1) return u"<nothing started>";
        EXPECT_EQ(world.processes.folders.front(), kEmulators);
        return world.processes.started.front().substr(starter.executableFile.size() + 2);
    }
};

}  // namespace

// The starter each emulator's archive makes, and what it then receives for a
// suite with descriptor and for a bare archive (through the temporary copies).
TEST(EmulatorStarters, EachArchiveMakesItsStarterAndItsCommandLines) {
    for (const PresetCase& c : presetCases()) {
        SCOPED_TRACE(ascii(WideString(c.archive) + u" " + c.source));
        Machine machine;
        FlowWorld& world = machine.world;
        world.files.addFile(kEmulators + u"\\" + c.archive, std::string("PK"));
        for (const WideString& jar : {kJarPath, kBarePath})
            world.files.addFile(jar, ZipBuilder().add("META-INF/MANIFEST.MF", "MIDlet-Name: App\r\n").build());
        const std::optional<std::uint64_t> size = world.files.openForReading(kJarPath)->size();
        world.files.addFile(kJadPath, "MIDlet-Jar-Size: " + std::to_string(*size) + "\r\nMIDlet-Jar-URL: app.jar\r\n");
        machine.lay(c.java);

        EmulatorJavaFinder java(world.platform, machine.javaStarters);
        const StarterRecord typed{u"", u"old.exe", u"-old", u""};
        const EmulatorFill fill = fillForEmulator(java, world.files, u"\"" + kEmulators + u"\\" + c.archive + u"\"", typed);
        if (c.launcher.empty()) {
            EXPECT_FALSE(fill.record);
            EXPECT_EQ(fill.error, u"No Java runtime is found to run MicroEmulator.\nInstall Java or add a J2SE starter, "
                                  u"then choose microemulator.jar again.");
            continue;
        }
        ASSERT_TRUE(fill.record);
        EXPECT_EQ(*fill.record, (StarterRecord{presetForArchive(c.archive)->name, c.launcher, c.arguments, kEmulators}));
        EXPECT_EQ(fill.note, c.source);
        EXPECT_EQ(machine.lineFor(*fill.record, false), c.descriptorLine);
        EXPECT_EQ(machine.lineFor(*fill.record, true), c.bareLine);
    }
}

// What each emulator cannot read reaches it as the temporary copies; the others
// get the suite where it lies.
TEST(EmulatorStarters, AnEmulatorGetsTheTemporaryCopiesOnlyForWhatItCannotRead) {
    struct Case {
        const char16_t* archive;
        const char16_t* jarName;
        const char* url;
        bool temporary;
    };
    for (const Case& c : {Case{u"freej2me.jar", u"50% off+.jar", "50%25%20off%2B.jar", true},
                          Case{u"freej2me.jar", u"plain.jar", "plain.jar", false},
                          Case{u"KEmulator.jar", u"My Game.jar", "My%20Game.jar", true},
                          Case{u"KEmulator.jar", u"50% off+.jar", "50% off+.jar", false},
                          Case{u"microemulator.jar", u"My Game.jar", "My%20Game.jar", false}}) {
        SCOPED_TRACE(ascii(WideString(c.archive) + u" " + c.jarName));
        Machine machine;
        FlowWorld& world = machine.world;
        world.files.addFile(u"C:\\Suites\\" + WideString(c.jarName), std::string(10, 'z'));
        world.files.addFile(kJadPath, "MIDlet-Jar-Size: 10\r\nMIDlet-Jar-URL: " + std::string(c.url) + "\r\n");
        world.processes.programs.insert(u"C:\\j\\javaw.exe");
        world.store.list(J2ME).placeRecord(1, emulatorStarter(*presetForArchive(c.archive), u"C:\\Emu", u"C:\\j\\javaw.exe"));
        world.setActions(J2ME, 1, 0);
        ASSERT_TRUE(runJadFlow(world.context, kJadPath, true, {}));
        const bool temporary = world.processes.started.front().find(u"qlm_temp") != WideString::npos;
        EXPECT_EQ(temporary, c.temporary) << ascii(world.processes.started.front());
        if (c.temporary)
            EXPECT_EQ(textOf(*world.files.contents(kTemp + u"qlm_temp.jad")), "MIDlet-Jar-Size: 10\r\nMIDlet-Jar-URL: qlm_temp.jar\r\n");
    }
}
