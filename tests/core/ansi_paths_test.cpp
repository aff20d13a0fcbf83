#include <gtest/gtest.h>

#include "core/launch/jad_flow.h"
#include "core/launch/starter_choice.h"
#include "core/starters/emulator_presets.h"
#include "flow_world.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kTemp = u"C:\\Users\\Пётр\\Temp", kEmulator = u"C:\\Эмулятор", kJava = u"C:\\Java\\bin\\javaw.exe";

struct PathCase {
    const char* claim;
    WideString folder, shortFolder;  // of the archive and its descriptor; no short form when empty
    WideString arguments;            // J2SE for "-jar %1", else J2ME; "KEmulator": that preset
    WideString expected;             // the command line after the program; empty: refused
    bool utf8 = false;               // the ANSI code page is UTF-8 rather than Latin-1
    WideString program = kJava, programGiven = kJava;  // the starter's, and as the command line has it
    bool shortTemporary = true;      // the temporary folder has a short form
    WideString refused = {};         // the path a refusal names, when not the archive
};

const PathCase kCases[] = {
    {"a path the code page holds goes as it is", u"C:\\Café", u"C:\\CAFE~1", u"-jar %1", u"-jar \"C:\\Café\\app.jar\""},
    {"a Cyrillic folder goes by its short form", u"C:\\Игры", u"C:\\8D3F~1", u"-jar %1", u"-jar \"C:\\8D3F~1\\app.jar\""},
    {"where the code page is UTF-8 nothing changes", u"C:\\Игры", u"C:\\8D3F~1", u"-jar %1",
     u"-jar \"C:\\Игры\\app.jar\"", true},
    {"no short form: a desktop archive is refused", u"C:\\游戏", {}, u"-jar %1", {}},
    {"a short form the code page cannot hold either", u"C:\\游戏", u"C:\\游~1", u"-jar %1", {}},
    {"both paths of a suite go by their short forms", u"C:\\游戏", u"C:\\B8C2~1", u"%1 %2",
     u"\"C:\\B8C2~1\\app.jad\" \"C:\\B8C2~1\\app.jar\""},
    {"no short form: a suite goes as the temporary copies, by their folder's", u"C:\\游戏", {}, u"%1 %2",
     u"\"C:\\TEMP~1\\qlm_temp.jad\" \"C:\\TEMP~1\\qlm_temp.jar\""},
    {"no short forms at all: the temporary copies are refused and their folder named", u"C:\\游戏", {}, u"%1 %2", {},
     false, kJava, kJava, false, kTemp + u"\\qlm_temp.jad"},
    {"the program's own folder goes by its short form", u"C:\\Suites", {}, u"-jar %1",
     u"-jar \"C:\\Suites\\app.jar\"", false, kEmulator + u"\\bin\\javaw.exe", u"C:\\EMUL~1\\bin\\javaw.exe"},
    {"without one the program goes as it is", u"C:\\Suites", {}, u"-jar %1", u"-jar \"C:\\Suites\\app.jar\"", false,
     u"C:\\游戏\\javaw.exe", u"C:\\游戏\\javaw.exe"},
    {"an emulator's folder goes by its short form", u"C:\\Suites", {}, u"KEmulator",
     u"-Djava.library.path=\"C:\\EMUL~1\" -Xmx512M -Dfile.encoding=UTF-8 -jar \"C:\\EMUL~1\\KEmulator.jar\" "
     u"-jad \"C:\\Suites\\app.jad\" -jar \"C:\\Suites\\app.jar\""},
};

}  // namespace

TEST(AnsiPaths, PathsTheCodePageCannotHoldGoByAFormItCan) {
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.claim);
        FlowWorld world;
        world.environment.ansiLatin1Only = !c.utf8;
        world.files.temporaryFolderPath = kTemp + u"\\";
        for (const WideString& folder : {kTemp, kEmulator}) world.files.addFolder(folder);
        world.files.shortNames = {{FakeFiles::key(kEmulator), u"C:\\EMUL~1"}};
        if (c.shortTemporary) world.files.shortNames[FakeFiles::key(kTemp)] = u"C:\\TEMP~1";
        if (!c.shortFolder.empty()) world.files.shortNames[FakeFiles::key(c.folder)] = c.shortFolder;
        StarterRecord starter{u"Starter", c.program, c.arguments};
        world.files.addFile(c.program, "MZ");
        if (c.arguments == u"KEmulator")
            starter = emulatorStarter(emulatorPresets()[0], kEmulator + u"\\KEmulator.jar", starter.executableFile);
        const StarterKind kind = c.arguments == u"-jar %1" ? StarterKind::J2SE : StarterKind::J2ME;
        world.store.list(kind).placeRecord(1, starter);
        world.store.list(kind).setDefaultAction(1);
        world.processes.programs.insert(c.arguments == u"KEmulator" ? starter.executableFile : c.programGiven);
        world.files.addFile(c.folder + u"\\app.jar", suiteArchiveOfSize(1234));
        world.files.addFile(c.folder + u"\\app.jad", "MIDlet-Jar-Size: 1234\r\nMIDlet-Jar-URL: app.jar\r\n");
        const bool started = kind == StarterKind::J2SE ? startStarter(world.context, kind, 1, {c.folder + u"\\app.jar"}, u"")
                                                       : runJadFlow(world.context, {c.folder + u"\\app.jad", true, u""});
        EXPECT_EQ(started, !c.expected.empty());
        const WideString line = world.processes.attempts.empty() ? u"" : world.processes.attempts[0];
        const WideString program = c.arguments == u"KEmulator" ? starter.executableFile : c.programGiven;
        EXPECT_EQ(line, c.expected.empty() ? u"" : u"\"" + program + u"\" " + c.expected);
        // A refusal names the path the program could not have read.
        const WideString refused = c.refused.empty() ? c.folder + u"\\app.jar" : c.refused;
        const WideString named = c.expected.empty() ? u"\n" + refused + u"\n" : u"";
        EXPECT_EQ(world.messageTexts().size() == 1 && world.messageTexts()[0].find(named) != WideString::npos,
                  c.expected.empty());
        // A temporary copy's advice is for the temporary folder, which the user did not choose.
        if (!c.refused.empty() && !world.messageTexts().empty()) {
            EXPECT_NE(world.messageTexts()[0].find(u"user variable TEMP"), WideString::npos);
        }
    }
}
