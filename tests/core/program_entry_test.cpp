#include <gtest/gtest.h>

#include "core/app/program_entry.h"
#include "fake_opening_flows.h"
#include "flow_world.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

struct Program : FlowWorld {
    FakeOpeningFlows flows;

    int run(const WideString& arguments) { return runProgram(arguments, context, flows.openingFlows()); }

    void expectOneOpeningError(const WideString& text) const {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, text);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::OpeningError);
        EXPECT_EQ(ui.messages[0].owner, kNoWindow);
    }
};

const std::vector<std::string> kStartupThenShutdown = {"com", "mutex", "controls", "~com", "~mutex"};

}  // namespace

TEST(ProgramEntry, StartsUpAndShutsDownInOrderOnEveryPath) {
    for (const char16_t* arguments : {u"", u"/setup", u"\"open", u"\"\"", u"a.jar", u"/select a.jad x"}) {
        Program program;
        program.run(arguments);
        EXPECT_EQ(program.startup.calls, kStartupThenShutdown);
        EXPECT_EQ(program.startup.mutexName, u"{37A0C091-CE8E-4408-A246-0BC9812256B8}");
    }
}

TEST(ProgramEntry, UnterminatedQuoteReportsAndEndsWithOne) {
    Program program;
    EXPECT_EQ(program.run(u"\"C:\\games\\app.jar"), 1);
    program.expectOneOpeningError(u"Command line parameter error.");
    EXPECT_TRUE(program.flows.calls.empty());
}

TEST(ProgramEntry, SetupRunsTheDialogWithoutOwnerAndEndsWithZeroWhateverItsResult) {
    for (DialogResult result : {DialogResult::Ok, DialogResult::Cancel}) {
        Program program;
        program.dialogs.setupResult = result;
        EXPECT_EQ(program.run(u"  /setup "), 0);
        EXPECT_EQ(program.dialogs.setupOwners, std::vector<WindowRef>{kNoWindow});
        EXPECT_TRUE(program.flows.calls.empty());
    }
}

TEST(ProgramEntry, NoArgumentAsksForAFileWithTheFixedDialog) {
    Program program;
    EXPECT_EQ(program.run(u""), 1);  // cancelled
    ASSERT_EQ(program.ui.fileRequests.size(), 1u);
    const FileOpenRequest& request = program.ui.fileRequests[0];
    EXPECT_EQ(request.owner, kNoWindow);
    EXPECT_EQ(request.title, u"Select a JAR or JAD File");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].label, u"JAR and JAD Files (*.jar;*.jad)");
    EXPECT_EQ(request.filters[0].pattern, u"*.jar;*.jad");
    EXPECT_EQ(request.filters[1].label, u"All Files");
    EXPECT_EQ(request.filters[1].pattern, u"*.*");
    EXPECT_EQ(request.initialFile, u"");
    EXPECT_EQ(request.bufferSize, 8192);
    EXPECT_TRUE(program.flows.calls.empty());
    EXPECT_TRUE(program.ui.messages.empty());
}

TEST(ProgramEntry, AFailedFileOpenDialogIsReportedWithItsCodeAndEndsWithOne) {
    for (const auto& [code, text] : {std::pair{0x3003ul, u"0x3003"}, {0x2ul, u"0x0002"}, {0xFFFFul, u"0xFFFF"}}) {
        Program program;
        program.ui.fileDialogError = code;
        EXPECT_EQ(program.run(u""), 1);
        program.expectOneOpeningError(u"The file-open dialog failed with error " + WideString(text) + u".");
        EXPECT_TRUE(program.flows.calls.empty());
    }
}

TEST(ProgramEntry, ChosenFileAlwaysAsksForTheStarter) {
    Program program;
    program.ui.chosenFiles.push_back(u"C:\\Users\\me\\My Game.JAD");
    EXPECT_EQ(program.run(u""), 0);
    ASSERT_EQ(program.flows.calls.size(), 1u);
    EXPECT_EQ(program.flows.calls[0].flow, "jad");
    EXPECT_EQ(program.flows.calls[0].path, u"C:\\Users\\me\\My Game.JAD");
    EXPECT_FALSE(program.flows.calls[0].allowDefaultAction);
    EXPECT_EQ(program.flows.calls[0].externalArguments, u"");
}

TEST(ProgramEntry, ExitCodeFollowsTheFlow) {
    Program succeeding;
    EXPECT_EQ(succeeding.run(u"\"C:\\a b\\app.jar\" -Xmx64m"), 0);
    ASSERT_EQ(succeeding.flows.calls.size(), 1u);
    EXPECT_EQ(succeeding.flows.calls[0].path, u"C:\\a b\\app.jar");
    EXPECT_TRUE(succeeding.flows.calls[0].allowDefaultAction);
    EXPECT_EQ(succeeding.flows.calls[0].externalArguments, u"-Xmx64m");

    Program failing;
    failing.flows.result = false;
    EXPECT_EQ(failing.run(u"app.jar"), 1);
}

TEST(ProgramEntry, SelectAloneIsAFileForTheJarFlow) {
    Program program;
    program.run(u"/select");
    ASSERT_EQ(program.flows.calls.size(), 1u);
    EXPECT_EQ(program.flows.calls[0].flow, "jar");
    EXPECT_EQ(program.flows.calls[0].path, u"/select");
}

TEST(OpenFile, MalformedQuotedNamesAreRefusedBeforeAnyFlow) {
    for (const char16_t* path : {u"\"\"", u"\"", u"\"a", u"\"ab"}) {
        Program program;
        EXPECT_FALSE(openFile({path, true, {}}, program.context, program.flows.openingFlows()));
        program.expectOneOpeningError(u"File name error.");
        EXPECT_TRUE(program.flows.calls.empty());
    }
}

TEST(OpenFile, EmptyQuotesOnTheCommandLineGiveFileNameError) {
    Program program;
    EXPECT_EQ(program.run(u"\"\""), 1);
    program.expectOneOpeningError(u"File name error.");
}

TEST(OpenFile, ExtensionPicksTheFlowIgnoringCase) {
    struct Case {
        WideString path;
        std::string flow;
        WideString stripped;
    };
    for (const Case& c : std::vector<Case>{{u"\"x\"", "jar", u"x"},
                                           {u"\"C:\\a b\\s.JAD\"", "jad", u"C:\\a b\\s.JAD"},
                                           {u"s.JaD", "jad", u"s.JaD"},
                                           {u".jad", "jad", u".jad"},
                                           {u"s.jad.bak", "jar", u"s.jad.bak"},
                                           {u"C:\\noextension", "jar", u"C:\\noextension"},
                                           {u"jad", "jar", u"jad"},
                                           {u"a.zip", "jar", u"a.zip"},
                                           {u"C:\\files\\pair/app.jad", "jad", u"C:\\files\\pair\\app.jad"},
                                           {u"\"//server/share/a b.jar\"", "jar", u"\\\\server\\share\\a b.jar"}}) {
        Program program;
        EXPECT_TRUE(openFile({c.path, false, u"ext"}, program.context, program.flows.openingFlows()));
        ASSERT_EQ(program.flows.calls.size(), 1u);
        EXPECT_EQ(program.flows.calls[0].flow, c.flow);
        EXPECT_EQ(program.flows.calls[0].path, c.stripped);
        EXPECT_FALSE(program.flows.calls[0].allowDefaultAction);
        EXPECT_EQ(program.flows.calls[0].externalArguments, u"ext");
        EXPECT_TRUE(program.ui.messages.empty());
    }
}
