#include <gtest/gtest.h>

#include "core/launch/j2se_flow.h"
#include "flow_world.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr auto J2SE = StarterKind::J2SE;
const WideString kJar = u"C:\\My Apps\\app.jar";

struct J2seFlow : ::testing::Test {
    FlowWorld world;

    void SetUp() override {
        world.addStarter(J2SE, 1, u"beta", u"-jar %1 %*");
        world.addStarter(J2SE, 2, u"Alpha", u"-cp %1");
        world.addStarter(J2SE, 3, u"gamma", u"%1");
    }
    bool open(bool allowDefaultAction, const WideString& externalArguments = u"") {
        return runJ2seFlow(world.context, {kJar, allowDefaultAction, externalArguments});
    }
    WideString started() const { return world.processes.started.empty() ? u"" : world.processes.started.back(); }
};

}  // namespace

TEST_F(J2seFlow, AnOccupiedDefaultActionStartsWithoutAskingAndBecomesTheLastAction) {
    world.setActions(J2SE, 3, 0);
    ASSERT_TRUE(open(true, u"-x y"));
    EXPECT_TRUE(world.dialogs.shown.empty());
    EXPECT_EQ(started(), u"\"C:\\starters\\gamma.exe\" \"C:\\My Apps\\app.jar\"");
    EXPECT_EQ(world.store.list(J2SE).lastAction(), 3);
    EXPECT_EQ(world.storedLastAction(J2SE), 3);
}

TEST_F(J2seFlow, WithoutPermissionForTheDefaultTheDialogAsks) {
    world.setActions(J2SE, 3, 0);
    world.dialogs.selection = {DialogResult::Ok, 1};
    ASSERT_TRUE(open(false, u"-x y"));
    ASSERT_EQ(world.dialogs.selectionRuns.size(), 1u);
    EXPECT_EQ(world.dialogs.selectionRuns[0].kind, J2SE);
    EXPECT_EQ(started(), u"\"C:\\starters\\beta.exe\" -jar \"C:\\My Apps\\app.jar\" -x y");
    EXPECT_EQ(world.storedLastAction(J2SE), 1);
}

TEST_F(J2seFlow, UseLastActionStartsTheLastStarterOrAsksWhenThereIsNone) {
    world.setActions(J2SE, StarterList::kUseLastAction, 2);
    ASSERT_TRUE(open(true));
    EXPECT_TRUE(world.dialogs.shown.empty());
    EXPECT_EQ(started(), u"\"C:\\starters\\Alpha.exe\" -cp \"C:\\My Apps\\app.jar\"");

    world.setActions(J2SE, StarterList::kUseLastAction, 0);
    EXPECT_FALSE(open(true));
    EXPECT_EQ(world.dialogs.selectionRuns.size(), 1u);
}

TEST_F(J2seFlow, AskEveryTimeShowsTheDialogEvenWithALastAction) {
    world.setActions(J2SE, StarterList::kAsk, 2);
    world.dialogs.selection = {DialogResult::Ok, 2};
    EXPECT_TRUE(open(true));
    EXPECT_EQ(world.dialogs.selectionRuns.size(), 1u);
}

// A hand-edited or stale registry may name a slot that holds no starter.
TEST_F(J2seFlow, AnActionNamingNoStarterAsksInsteadOfStartingNothing) {
    for (std::int32_t action : {7, -5}) {
        world.setActions(J2SE, action, 0);
        world.dialogs.selectionRuns.clear();
        world.dialogs.selection = {DialogResult::Ok, 3};
        EXPECT_TRUE(open(true)) << action;
        EXPECT_EQ(world.dialogs.selectionRuns.size(), 1u) << action;
    }
}

TEST_F(J2seFlow, CancellingOrChoosingNothingStartsNothingAndKeepsTheLastAction) {
    world.setActions(J2SE, StarterList::kAsk, 2);
    for (StarterSelection answer : {StarterSelection{DialogResult::Cancel, 0}, StarterSelection{DialogResult::Ok, 0},
                                    StarterSelection{DialogResult::Cancel, 1}}) {
        world.dialogs.selection = answer;
        EXPECT_FALSE(open(false));
    }
    EXPECT_TRUE(world.processes.attempts.empty());
    EXPECT_EQ(world.storedLastAction(J2SE), 2);
    EXPECT_TRUE(world.ui.messages.empty());
}

// A starter whose program is gone, or was typed in quotes, says so and is not
// remembered: "<Last used action>" would otherwise start nothing ever again. The
// system's reason names the program where it leaves an insert for it.
TEST_F(J2seFlow, AStarterThatCannotBeStartedSaysWhyAndIsNotRemembered) {
    const WideString program = u"C:\\starters\\beta.exe";
    const std::pair<const char16_t*, WideString> reasons[] = {
        {u"The system cannot find the file specified.", u"The system cannot find the file specified."},
        {u"Bad EXE format for %1.", u"Bad EXE format for " + program + u"."},
        {u"%1!s! needs %2, not 100%.", program + u" needs " + program + u", not 100%."},
    };
    world.setActions(J2SE, 1, 0);
    world.processes.programs.clear();  // the starter's program is gone
    for (const auto& [reason, shown] : reasons) {
        world.processes.reason = reason;
        world.ui.messages.clear();
        EXPECT_FALSE(open(true));
        EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"The starter \"beta\" could not be started.\nProgram: " +
                                                               program + u"\n" + shown});
    }
    EXPECT_EQ(world.storedLastAction(J2SE), 0);
    EXPECT_TRUE(world.allOpeningErrors());
}

TEST(J2seFlowWithoutStarters, TellsTheUserAndOffersTheSetupDialog) {
    FlowWorld world;
    world.ui.active = WindowRef(42);
    EXPECT_FALSE(runJ2seFlow(world.context, {kJar, true, u""}));
    EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"No J2SE starters are defined."});
    EXPECT_TRUE(world.allOpeningErrors());
    EXPECT_EQ(world.dialogs.setupOwners, std::vector<WindowRef>{WindowRef(42)});

    // Setup ends with OK but the user added nothing.
    world.dialogs.setupResult = DialogResult::Ok;
    EXPECT_FALSE(runJ2seFlow(world.context, {kJar, true, u""}));
    EXPECT_TRUE(world.dialogs.selectionRuns.empty());
}

TEST(J2seFlowWithoutStarters, AStarterAddedInSetupGoesOnToTheSelection) {
    FlowWorld world;
    world.dialogs.setupResult = DialogResult::Ok;
    world.dialogs.onSetup = [&] { world.addStarter(J2SE, 1, u"java", u"-jar %1"); };
    world.dialogs.selection = {DialogResult::Ok, 1};
    EXPECT_TRUE(runJ2seFlow(world.context, {kJar, true, u""}));
    EXPECT_EQ(world.dialogs.shown, (std::vector<std::string>{"setup", "selection"}));
    EXPECT_EQ(world.processes.started.size(), 1u);
}

TEST(J2seFlowWithoutStarters, StartersOfTheOtherKindDoNotCount) {
    FlowWorld world;
    world.addStarter(StarterKind::J2ME, 1, u"emulator", u"%1");
    EXPECT_FALSE(runJ2seFlow(world.context, {kJar, true, u""}));
    EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"No J2SE starters are defined."});
}
