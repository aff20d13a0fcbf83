#include <gtest/gtest.h>

#include "process_launcher_contract.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

class ProcessLauncherContract : public ::testing::TestWithParam<const char16_t*> {
protected:
    std::unique_ptr<ProcessLauncherHarness> harness = makeProcessLauncherHarness();
};

const char16_t* const kArgumentTexts[] = {
    u"",
    u" -jar \"C:\\my games\\app.jar\" -Xmx64m",
    u" -Xdescriptor:\"C:\\m\\a.jad\" %0 %% \"\" \\\"",
    u" \u00e9t\u00e9 \u65e5\u672c \U0001F600",
    u"   spaces around   ",
};

}  // namespace

TEST_P(ProcessLauncherContract, TheProgramReceivesExactlyTheCommandLine) {
    const WideString line = quoted(harness->recordingProgram()) + GetParam();
    ASSERT_TRUE(harness->launcher().createProcess(line));
    EXPECT_EQ(harness->recordedCommandLine(), line);
}

INSTANTIATE_TEST_SUITE_P(Texts, ProcessLauncherContract, ::testing::ValuesIn(kArgumentTexts),
                         [](const auto& text) { return "Text" + std::to_string(text.index); });

TEST(ProcessLauncherContractLimits, ALineOfManyThousandCharactersArrivesWhole) {
    auto harness = makeProcessLauncherHarness();
    const WideString line = quoted(harness->recordingProgram()) + u" " + WideString(20000, u'x');
    ASSERT_TRUE(harness->launcher().createProcess(line));
    EXPECT_EQ(harness->recordedCommandLine(), line);
}

TEST(ProcessLauncherContractLimits, AMissingProgramIsAFailure) {
    auto harness = makeProcessLauncherHarness();
    EXPECT_FALSE(harness->launcher().createProcess(quoted(harness->missingProgram()) + u" -jar \"a.jar\""));
}
