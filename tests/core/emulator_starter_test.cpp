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

const WideString kEmu = u"D:\\Spiele und Emulatoren\\\u00c9mulateur \u65e5\u672c";
const WideString kTemp = u"C:\\Users\\Tester\\AppData\\Local\\Temp\\";
const WideString kJad = u"C:\\Suites\\app.jad", kJar = u"C:\\Suites\\app.jar", kBare = u"C:\\Suites\\bare.jar";

std::string ascii(const WideString& text) { return {text.begin(), text.end()}; }
WideString q(const WideString& path) { return u"\"" + path + u"\""; }

// One machine of fakes: Java homes (with release files), J2SE starters, a suite.
struct Machine {
    FlowWorld world;
    StarterList javaStarters;

    Machine() {
        for (const WideString& folder : {kTemp, kEmu}) world.files.addFolder(folder);
        world.environment.set(u"LOCALAPPDATA", u"C:\\Users\\Tester\\AppData\\Local");
        world.environment.set(u"ProgramFiles", u"C:\\Program Files");
    }
    void java(const WideString& home, const std::string& version, const WideString& starter = {}) {
        for (const char16_t* launcher : {u"\\bin\\java.exe", u"\\bin\\javaw.exe"}) world.files.addFile(home + launcher, "MZ");
        world.files.addFile(home + u"\\release", "JAVA_VERSION=\"" + version + "\"\n");
        if (!starter.empty()) javaStarters.placeRecord(javaStarters.addRecord(), {starter, home + u"\\bin\\java.exe", u"-jar %1"});
        else world.environment.set(u"JAVA_HOME", home);
    }
    // The command line (after the launcher) and the folder the starter is started with for a path.
    WideString start(const StarterRecord& starter, const WideString& path) {
        world.store.list(StarterKind::J2ME).placeRecord(1, starter);
        world.setActions(StarterKind::J2ME, 1, 0);
        world.processes.programs.insert(starter.executableFile);
        world.processes.started.clear();
        const bool ok = path.ends_with(u".jad") ? runJadFlow(world.context, {path, true, {}})
                                                : runJarFlow(world.context, {path, true, {}});
        if (!ok || world.processes.started.size() != 1) return u"<nothing started>";
        EXPECT_EQ(world.processes.folders.back(), starter.startFolder);
        EXPECT_TRUE(world.files.attributes(starter.startFolder));  // a folder of the user's own is made
        return world.processes.started.front().substr(starter.executableFile.size() + 3);
    }
};

}  // namespace

// The starter each emulator's archive makes with the Java it suits, the folder it
// starts in, and what the emulator then receives for a suite with descriptor and
// for a bare archive. FreeJ2ME-Plus writes its saves where it starts: under
// Program Files, or where the user cannot write, that is a folder of the user's.
TEST(EmulatorStarters, EachArchiveMakesItsStarterAndItsCommandLines) {
    const WideString jdk17 = u"C:\\Java\\jdk-17", jdk8 = u"C:\\Java\\jdk8", jdk21 = u"E:\\jdk-21";
    const WideString kem = u"-Djava.library.path=\"" + kEmu + u"\" -Xmx512M -Dfile.encoding=UTF-8 -jar \"" + kEmu +
                           u"\\KEmulator.jar\" -jad ";
    const WideString tempJad = q(kTemp + u"qlm_temp.jad"), tempJar = q(kTemp + u"qlm_temp.jar");
    struct Case {
        const char16_t* archive;
        std::function<void(Machine&)> java;
        WideString launcherHome, source, descriptorLine, bareLine;
        WideString folder = kEmu, startFolder = kEmu;
        bool unwritable = false;
    };
    const WideString own = u"C:\\Users\\Tester\\AppData\\Local\\Quillmont\\FreeJ2ME-Plus\\", pf = u"C:\\Program Files\\F";
    const WideString scan21 = u"\"JRE 21.0.1 (GUI)\", found by a J2SE scan";
    auto java21 = [&](Machine& m) { m.java(jdk21, "21.0.1"); };
    auto free = [](const WideString& in, const WideString& suite) {
        return u"-Dfile.encoding=ISO_8859_1 -jar \"" + in + u"\\freej2me.jar\" " + suite;
    };
    for (const Case& c : std::vector<Case>{
             // A starter's java.exe gives the javaw.exe beside it.
             {u"KEmulator.jar", [&](Machine& m) { m.java(jdk17, "17.0.9", u"Java 17"); }, jdk17,
              u"the J2SE starter \"Java 17\"", kem + q(kJad) + u" -jar " + q(kJar), kem + tempJad + u" -jar " + tempJar},
             // KEmulator does not run on Java 11: the scan's Java 8 rather than the starter's.
             {u"KEmulator.jar",
              [&](Machine& m) {
                  m.java(u"C:\\Java\\jdk-11", "11.0.2", u"Java 11");
                  m.java(jdk8, "1.8.0_392");
              },
              jdk8, u"\"JRE 1.8.0_392 (GUI)\", found by a J2SE scan", kem + q(kJad) + u" -jar " + q(kJar),
              kem + tempJad + u" -jar " + tempJar},
             {u"freej2me.jar", java21, jdk21, scan21, free(kEmu, q(kJar)), free(kEmu, tempJar)},
             {u"freej2me.jar", java21, jdk21, scan21, free(pf, q(kJar)), free(pf, tempJar), pf,
              own + u"C\\Program Files\\F"},
             {u"freej2me.jar", java21, jdk21, scan21, free(u"E:\\F", q(kJar)), free(u"E:\\F", tempJar), u"E:\\F",
              own + u"E\\F", true},  // a folder the user cannot write to
             {u"microemulator.jar", [&](Machine& m) { m.java(jdk17, "17.0.9", u"Java 17"); }, jdk17,
              u"the J2SE starter \"Java 17\"", u"-jar \"" + kEmu + u"\\microemulator.jar\" " + q(kJad),
              u"-jar \"" + kEmu + u"\\microemulator.jar\" " + tempJad},
             {u"microemulator.jar", [](Machine&) {}, {}, {}, {}, {}},
         }) {
        SCOPED_TRACE(ascii(c.archive + (u" " + c.source)));
        Machine machine;
        c.java(machine);
        const std::string mainClass = ascii(presetForArchive(c.archive)->mainClass);
        machine.world.files.addFile(c.folder + u"\\" + c.archive, programArchive(mainClass));
        if (c.unwritable) machine.world.files.unwritableFolders.insert(FakeFiles::key(c.folder));
        const Bytes suite = ZipBuilder().add("META-INF/MANIFEST.MF", "MIDlet-Name: App\r\n").build();
        for (const WideString& jar : {kJar, kBare}) machine.world.files.addFile(jar, suite);
        machine.world.files.addFile(kJad, "MIDlet-Jar-Size: " + std::to_string(suite.size()) + "\r\nMIDlet-Jar-URL: app.jar\r\n");

        EmulatorJavaFinder java(machine.world.platform, machine.javaStarters);
        const EmulatorFill fill = fillForEmulator(java, machine.world.platform, q(c.folder + u"\\" + c.archive), {});
        if (c.launcherHome.empty()) {
            EXPECT_FALSE(fill.record);
            EXPECT_EQ(fill.error, u"No Java runtime is found to run MicroEmulator.\nInstall Java or add a J2SE starter, "
                                  u"then choose microemulator.jar again.");
            continue;
        }
        ASSERT_TRUE(fill.record);
        EXPECT_EQ(fill.record->name, presetForArchive(c.archive)->name);
        EXPECT_EQ(fill.record->executableFile, c.launcherHome + u"\\bin\\javaw.exe");
        EXPECT_EQ(fill.record->startFolder, c.startFolder);
        const WideString saves = u" FreeJ2ME-Plus keeps its settings and saves in the folder it starts in; its own "
                                 u"folder is no place for them, so it starts in a folder of your own.";
        EXPECT_EQ(fill.note, u"Java: " + c.source + u"." + (c.startFolder == c.folder ? u"" : saves));
        EXPECT_EQ(machine.start(*fill.record, kJad), c.descriptorLine);
        EXPECT_EQ(machine.start(*fill.record, kBare), c.bareLine);
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
                          Case{u"freej2me.jar", u"APP.jar", "APP.jar", false},
                          Case{u"freej2me.jar", u"game_v2.jar", "game_v2.jar", true},  // not found under app.jad's name
                          Case{u"KEmulator.jar", u"My Game.jar", "My%20Game.jar", true},
                          Case{u"KEmulator.jar", u"50% off+.jar", "50% off+.jar", false},
                          Case{u"microemulator.jar", u"My Game.jar", "My%20Game.jar", false}}) {
        SCOPED_TRACE(ascii(c.archive + (u" " + WideString(c.jarName))));
        Machine machine;
        FlowWorld& world = machine.world;
        world.files.addFile(u"C:\\Suites\\" + WideString(c.jarName), suiteArchiveOfSize(1234));
        world.files.addFile(kJad, "MIDlet-Jar-Size: 1234\r\nMIDlet-Jar-URL: " + std::string(c.url) + "\r\n");
        const StarterRecord starter = emulatorStarter(*presetForArchive(c.archive), kEmu + u"\\" + c.archive, u"C:\\javaw.exe");
        const WideString line = machine.start(starter, kJad);
        EXPECT_EQ(line.find(u"qlm_temp") != WideString::npos, c.temporary) << ascii(line);
        if (c.temporary) {
            EXPECT_EQ(textOf(*world.files.contents(kTemp + u"qlm_temp.jad")),
                      "MIDlet-Jar-Size: 1234\r\nMIDlet-Jar-URL: qlm_temp.jar\r\n");
        }
    }
}

// The edit dialog knows an emulator by its manifest's Main-Class, under any name;
// any other .jar, or one too damaged to read, fills nothing, and OK refuses it as
// the program with what to choose instead.
TEST(EmulatorStarters, AnArchiveIsKnownByItsManifestAndAnyOtherJarIsRefused) {
    const std::string kem = programArchive("emulator.Emulator"), free = programArchive("org.recompile.freej2me.FreeJ2ME"),
                      micro = programArchive("org.microemu.app.Main");
    struct Case {
        const char16_t* name;
        std::string bytes;
        const char16_t* emulator;  // nothing: no fill
        const char* damage = "";
    };
    for (const Case& c : std::vector<Case>{
             {u"KEmulator.jar", kem, u"KEmulator"}, {u"KEmulator-1.2.jar", kem, u"KEmulator"},
             {u"freej2me.jar", free, u"FreeJ2ME-Plus"}, {u"FreeJ2ME-Plus (1).jar", free, u"FreeJ2ME-Plus"},
             {u"microemulator.jar", micro, u"MicroEmulator"}, {u"me 2.0.4.JAR", micro, u"MicroEmulator"},
             // FreeJ2ME's other front ends ship beside it under its name.
             {u"freej2me-lr.jar", programArchive("org.recompile.freej2me.Libretro"), nullptr},
             {u"KEmulator.jar", suiteArchiveOfSize(300), nullptr},
             {u"KEmulator.jar", kem.substr(0, kem.size() - 8), nullptr,
              "It ends before its last entry: an incomplete download."},
         }) {
        SCOPED_TRACE(ascii(c.name));
        Machine machine;
        machine.java(u"C:\\Java\\jdk-17", "17.0.9", u"Java 17");
        const WideString path = u"C:\\Users\\Tester\\Downloads\\" + WideString(c.name);
        machine.world.files.addFile(path, c.bytes);
        EmulatorJavaFinder java(machine.world.platform, machine.javaStarters);
        const EmulatorFill fill = fillForEmulator(java, machine.world.platform, path, {});
        if (c.emulator != nullptr) {
            ASSERT_TRUE(fill.record);
            EXPECT_EQ(fill.record->name, c.emulator);
            EXPECT_NE(fill.record->arguments.find(q(path)), WideString::npos) << ascii(fill.record->arguments);
            EXPECT_TRUE(checkStarterFields(c.emulator, fill.record->executableFile, fill.record->arguments).record);
            continue;
        }
        EXPECT_FALSE(fill.record);
        EXPECT_EQ(ascii(fill.error), *c.damage ? "File \"" + ascii(path) + "\" read error.\n" + c.damage : "");
        const StarterEditOutcome ok = checkStarterFields(u"Game", q(path), u"-Xdescriptor:%1");
        EXPECT_FALSE(ok.record);
        EXPECT_EQ(ok.error, u"\"" + WideString(c.name) + u"\" is a Java archive, which Windows does not start by "
                            u"itself.\nChoose the javaw.exe of a Java as the Executable File, and begin the Arguments "
                            u"with -jar " + q(path) + u".");
    }
}

// Once the Executable File is another program, what the fill put in and the user
// left alone goes; another Java keeps it, as that runs the emulator too.
TEST(EmulatorStarters, AnotherProgramTakesBackWhatTheFillLeftAlone) {
    const StarterRecord filled{u"KEmulator", u"C:\\jdk\\bin\\javaw.exe", u"-jar \"D:\\K\\KEmulator.jar\" %1", u"D:\\K"};
    struct Case { WideString program, arguments; bool note; WideString leftArguments, leftFolder; };
    for (const Case& c : {Case{u" \"C:\\JDK\\bin\\javaw.exe\" ", filled.arguments, false, filled.arguments, u"D:\\K"},
                          Case{u"C:\\jdk-21\\bin\\javaw.exe", filled.arguments, true, filled.arguments, u"D:\\K"},
                          Case{u"C:\\WTK\\bin\\emulator.exe", filled.arguments, true, u"", u""},
                          Case{u"C:\\WTK\\bin\\emulator.exe", u"-Xdescriptor:%1", true, u"-Xdescriptor:%1", u""}}) {
        SCOPED_TRACE(ascii(c.program + u" " + c.arguments));
        const ProgramChange change = afterProgramChange(filled, {u"My name", c.program, c.arguments, u"D:\\K"});
        EXPECT_EQ(change.fields, (StarterRecord{u"My name", c.program, c.leftArguments, c.leftFolder}));
        EXPECT_EQ(change.clearNote, c.note);
        EXPECT_EQ(change.forgetFill, c.leftFolder.empty());
    }
}
