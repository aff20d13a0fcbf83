#include <gtest/gtest.h>

#include "core/scan/scanner_utilities.h"
#include "core/setup/file_associations.h"
#include "fake_registry.h"
#include "fake_shell.h"
#include "fake_user_interface.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr WindowRef kSetupDialog = 0x1234;
const WideString kProgram = u"C:\\Tools\\Quillmont\\Quillmont.exe";

struct Command {
    FakeUserInterface ui;
    FakeRegistry registry;
    FakeShell shell;

    void run(MessageAnswer answer) {
        ui.answers.push_back(answer);
        associateFileTypes(kSetupDialog, ui, registry, shell, kProgram);
    }
};

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
    const auto text = [&](const WideString& key, const WideString& name = u"") {
        return readRegistryText(command.registry, RegistryRoot::CurrentUser, u"Software\\Classes\\" + key, name);
    };
    EXPECT_EQ(text(u".jad"), u"Quillmont.jad");
    EXPECT_EQ(text(u".jar"), u"Quillmont.jar");
    EXPECT_EQ(text(u".jar", u"Content Type"), u"x");
    // The classes the installer would have made, for the program that runs.
    EXPECT_EQ(text(u"Quillmont.jar"), u"Java Archive");
    EXPECT_EQ(text(u"Quillmont.jad\\shell\\open\\command"), u"\"" + kProgram + u"\" \"%1\" %*");
    EXPECT_EQ(text(u"Quillmont.jad\\DefaultIcon"), kProgram + u",0");
    // The program .jar had before stays in "Open with".
    EXPECT_TRUE(command.registry.queryValue(RegistryRoot::CurrentUser, u"Software\\Classes\\.jar\\OpenWithProgids",
                                            u"jarfile", RegistryAccess::readIn(RegistryView::Own)));
    EXPECT_EQ(command.shell.associationNotifications, 2);
    ASSERT_EQ(command.ui.messages.size(), 4u);
    EXPECT_EQ(command.ui.messages[1].text, u"JAR and JAD files are opened with Quillmont now.");
    EXPECT_EQ(command.ui.messages[1].kind, MessageKind::Information);
}

// A program the user picked in Windows itself wins over any class: the user is
// told, and may open the Default apps settings.
TEST(FileAssociations, AChoiceOfTheUsersOwnIsNamedAndTheSettingsOffered) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        Command command;
        command.registry.createKey(RegistryRoot::CurrentUser,
                                   u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.jar\\UserChoice");
        command.ui.answers.push_back(MessageAnswer::Yes);
        command.run(answer);
        ASSERT_EQ(command.ui.messages.size(), 2u);
        EXPECT_EQ(command.ui.messages[1].kind, MessageKind::Confirmation);
        EXPECT_NE(command.ui.messages[1].text.find(u"keeps opening .jar files"), WideString::npos);
        EXPECT_EQ(command.shell.openedUrls,
                  answer == MessageAnswer::Yes ? std::vector<WideString>{u"ms-settings:defaultapps"} : std::vector<WideString>{});
    }
}

TEST(FileAssociations, AJadKeyThatCannotBeWrittenDoesNotStopJar) {
    Command command;
    command.registry.lockedKeys.insert(FakeRegistry::upper(u"HKCU\\Software\\Classes\\.jad"));
    command.run(MessageAnswer::Yes);
    EXPECT_EQ(readRegistryText(command.registry, RegistryRoot::CurrentUser, u"Software\\Classes\\.jad", u""), u"");
    EXPECT_EQ(readRegistryText(command.registry, RegistryRoot::CurrentUser, u"Software\\Classes\\.jar", u""),
              u"Quillmont.jar");
    EXPECT_EQ(command.shell.associationNotifications, 1);
}
