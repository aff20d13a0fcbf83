#include <gtest/gtest.h>

#include "launch_world.h"
#include "test_files.h"
#include "zip_builder.h"
#include "win32/platform/wide_text.h"

using namespace quillmont;
using namespace quillmont::testing;

// Quillmont.exe opening a desktop archive with a starter that reads its
// arguments through an ANSI main(), as java.exe does, and records for each
// whether fopen opened it. "-jar" names no file; the archive's path must open.
TEST(AnsiPathLaunch, AnArchiveInAFolderOfAnyScriptReachesAnAnsiProgramAsAPathItOpens) {
    CommandLineRecorder recorder;
    StarterSettings settings;
    std::wstring program = CommandLineRecorder::starter();
    program = program.substr(0, program.find_last_of(L'\\')) + L"\\ansi_starter.exe";
    settings.add(StarterKind::J2SE, 1, u"java", u"-jar %1", win32::fromWide(program));
    settings.setActions(StarterKind::J2SE, 1, 0);
    // Café: a name that code page 1252 holds, which must arrive exactly as it is.
    for (const std::wstring folder : {L"Игры", L"游戏", L"Café"}) {
        SCOPED_TRACE(folder.c_str());
        const std::wstring jar = makeTemporaryFolder(folder) + L"\\app.jar";
        ASSERT_TRUE(writeFileBytes(jar, ZipBuilder().add("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\n").build()));
        recorder.clear();
        auto quillmont = startQuillmont(L" \"" + jar + L"\"");
        const std::optional<WideString> line = recorder.wait();
        EXPECT_EQ(quillmont->waitForExit(), 0u);
        const std::wstring recorded = line ? win32::toWide(*line) : L"<nothing started>";
        EXPECT_EQ(recorded.substr(0, 21), L"missing -jar\nopened C") << recorded;
        if (folder == L"Café") {
            EXPECT_EQ(recorded, L"missing -jar\nopened " + jar + L"\n");
        }
    }
}
