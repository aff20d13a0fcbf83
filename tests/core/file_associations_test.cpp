#include <gtest/gtest.h>

#include "core/setup/file_associations.h"
#include "fake_registry.h"
#include "fake_shell.h"
#include "fake_user_interface.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr WindowRef kSetupDialog = 0x1234;

struct Command {
    FakeUserInterface ui;
    FakeRegistry registry;
    FakeShell shell;

    void run(MessageAnswer answer) {
        ui.answers.push_back(answer);
        associateFileTypes(kSetupDialog, ui, registry, shell);
    }
    std::vector<WideString> classes() { return registry.dump(RegistryRoot::CurrentUser, u"Software\\Classes"); }
};

const WideString kJadValue = u"Software\\Classes\\.jad :  = 1:81,0,117,0,105,0,108,0,108,0,109,0,111,0,110,0,116,0,"
                             u"46,0,106,0,97,0,100,0,0,0,";
const WideString kJarValue = u"Software\\Classes\\.jar :  = 1:81,0,117,0,105,0,108,0,108,0,109,0,111,0,110,0,116,0,"
                             u"46,0,106,0,97,0,114,0,0,0,";

}  // namespace

TEST(FileAssociations, AsksTheUserOverTheSetupDialog) {
    Command command;
    command.run(MessageAnswer::No);
    ASSERT_EQ(command.ui.messages.size(), 1u);
    EXPECT_EQ(command.ui.messages[0].text, u"Would you like to associate JAR and JAD files with Quillmont?");
    EXPECT_EQ(command.ui.messages[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(command.ui.messages[0].owner, kSetupDialog);
}

TEST(FileAssociations, NoWritesNothingAndSendsNothing) {
    Command command;
    command.run(MessageAnswer::No);
    EXPECT_EQ(command.registry.writes, 0);
    EXPECT_EQ(command.shell.associationNotifications, 0);
}

TEST(FileAssociations, YesWritesJadThenJarOverAnyOtherProgramAndNotifies) {
    Command command;
    command.registry.createKey(RegistryRoot::CurrentUser, u"Software\\Classes\\.jar");
    command.registry.setString(RegistryRoot::CurrentUser, u"Software\\Classes\\.jar", u"", u"jarfile");
    command.registry.setString(RegistryRoot::CurrentUser, u"Software\\Classes\\.jar", u"Content Type", u"x");
    command.run(MessageAnswer::Yes);
    command.run(MessageAnswer::Yes);  // repeating changes nothing
    EXPECT_EQ(command.classes(),
              (std::vector<WideString>{u"Software\\Classes\\.jad", kJadValue, u"Software\\Classes\\.jar", kJarValue,
                                       u"Software\\Classes\\.jar : Content Type = 1:120,0,0,0,"}));
    EXPECT_EQ(command.shell.associationNotifications, 2);
}

TEST(FileAssociations, AJadKeyThatCannotBeWrittenDoesNotStopJar) {
    Command command;
    command.registry.lockedKeys.insert(FakeRegistry::upper(u"HKCU\\Software\\Classes\\.jad"));
    command.run(MessageAnswer::Yes);
    EXPECT_EQ(command.classes(), (std::vector<WideString>{u"Software\\Classes\\.jar", kJarValue}));
    EXPECT_EQ(command.shell.associationNotifications, 1);
}
