#include <gtest/gtest.h>

#include "core/launch/starter_process.h"
#include "template_cases.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_process_launcher.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

// Expands the template, creates the recording starter's process through the real
// CreateProcessW and returns the command line the starter received.
std::optional<WideString> startRecorded(const WideString& argumentTemplate, const std::vector<WideString>& parameters,
                                        const WideString& externalArguments) {
    CommandLineRecorder recorder;
    StarterProcess process(win32::fromWide(CommandLineRecorder::starterWithSpaces()), argumentTemplate);
    for (const WideString& parameter : parameters) process.addQuotedParameter(parameter);
    win32::Win32ProcessLauncher launcher;
    if (!process.start(launcher, externalArguments)) return std::nullopt;
    return recorder.wait();
}

}  // namespace

TEST(StarterCommandLine, EveryTemplateCaseArrivesExactlyAtTheStartedProgram) {
    const WideString starter = quoted(win32::fromWide(CommandLineRecorder::starterWithSpaces()));
    for (const TemplateCase& c : templateCases()) {
        EXPECT_EQ(startRecorded(c.argumentTemplate, c.parameters, c.externalArguments), starter + c.expected)
            << c.claim;
    }
}

TEST(StarterCommandLine, LinesLongerThanTheClassicBufferStillArriveWhole) {
    const WideString longArguments(9000, u'a');
    const std::optional<WideString> line = startRecorded(u"-jar %1 %*", {u"C:\\a.jar"}, longArguments);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->substr(line->size() - longArguments.size() - 1), u" " + longArguments);
}

TEST(StarterCommandLine, AStarterThatIsGoneFailsToStart) {
    StarterProcess process(win32::fromWide(binFolder() + L"\\gone\\java.exe"), u"-jar %1");
    process.addQuotedParameter(u"C:\\a.jar");
    win32::Win32ProcessLauncher launcher;
    EXPECT_FALSE(process.start(launcher, u""));
}
