#include <gtest/gtest.h>

#include "core/launch/starter_process.h"
#include "fake_process_launcher.h"
#include "template_cases.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {
const WideString kJava = u"C:\\Program Files\\Java\\bin\\javaw.exe";
}

TEST(StarterProcess, ExpandsEveryTemplateCase) {
    for (const TemplateCase& c : templateCases()) {
        StarterProcess process(kJava, c.argumentTemplate);
        for (const WideString& parameter : c.parameters) process.addQuotedParameter(parameter);
        EXPECT_EQ(process.buildCommandLine(c.externalArguments), u"\"" + kJava + u"\"" + c.expected) << c.claim;
    }
}

TEST(StarterProcess, StartHandsTheBuiltLineToTheLauncher) {
    FakeProcessLauncher launcher;
    launcher.programs.insert(kJava);
    StarterProcess process(kJava, u"-jar %1 %*");
    process.addQuotedParameter(u"C:\\a.jar");
    EXPECT_TRUE(process.start(launcher, u"-x"));
    EXPECT_EQ(launcher.started, std::vector<WideString>{u"\"" + kJava + u"\" -jar \"C:\\a.jar\" -x"});
}

TEST(StarterProcess, AMissingExecutableFailsWithoutMessage) {
    FakeProcessLauncher launcher;
    StarterProcess process(u"C:\\gone\\java.exe", u"-jar %1");
    process.addQuotedParameter(u"C:\\a.jar");
    EXPECT_FALSE(process.start(launcher, u""));
    EXPECT_TRUE(launcher.started.empty());
}

TEST(StarterProcess, TakeBacksNeverReachIntoTheExecutable) {
    StarterProcess emptyExecutable(u"", u"%*%*%*%1%1");
    emptyExecutable.addQuotedParameter(u"a");
    EXPECT_EQ(emptyExecutable.buildCommandLine(u""), u"\"\"a\"a\"");
}

TEST(StarterProcess, ClosingQuoteIsSkippedOnlyAfterAQuotedValue) {
    StarterProcess process(u"j", u"\"%*\"");
    EXPECT_EQ(process.buildCommandLine(u"plain"), u"\"j\" \"plain\"");
    EXPECT_EQ(process.buildCommandLine(u"\""), u"\"j\" \"\"");  // one quote is not a quoted value
}

TEST(StarterProcess, LongLinesStartUpToTheSystemLimitAndAreRefusedBeyondIt) {
    FakeProcessLauncher launcher;
    launcher.programs.insert(u"j");
    StarterProcess process(u"j", u"%*");
    const std::size_t prefix = 4;  // "j" and a space
    const WideString fits(StarterProcess::kMaxCommandLine - prefix, u'x');
    EXPECT_TRUE(process.start(launcher, WideString(5000, u'x')));
    EXPECT_TRUE(process.start(launcher, fits));
    EXPECT_EQ(launcher.started.back().size(), StarterProcess::kMaxCommandLine);
    EXPECT_FALSE(process.start(launcher, fits + u"x"));
    EXPECT_EQ(launcher.started.size(), 2u);
}

TEST(StarterProcess, ATemplateThatRepeatsAHugeValueIsRefusedEarly) {
    StarterProcess repeated(u"j", u"%1%1%1%1%1%1%1%1%1%1");
    repeated.addQuotedParameter(WideString(4000, u'y'));
    EXPECT_FALSE(repeated.buildCommandLine(u"").has_value());
}
