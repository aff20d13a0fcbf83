#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "core/setup/setup_model.h"
#include "core/setup/starter_edit_model.h"
#include "core/text/trim.h"
#include "fake_registry.h"
#include "fake_user_interface.h"

using namespace quillmont;
using quillmont::testing::FakeRegistry;
using quillmont::testing::FakeUserInterface;

namespace {

StarterList listOf(std::initializer_list<std::pair<int, const char16_t*>> starters) {
    StarterList list;
    for (const auto& [slot, name] : starters) list.placeRecord(slot, {name, u"x.exe", u""});
    return list;
}

EditStarter answering(bool ok, const char16_t* newName = nullptr) {
    return [=](StarterRecord& record) {
        if (newName != nullptr) record.name = newName;
        return ok;
    };
}

}  // namespace

TEST(SetupModel, TheActionComboHoldsTheFixedEntriesThenTheStartersAndSelectsByValue) {
    StarterList list = listOf({{3, u"Three"}, {1, u"One"}});
    list.setDefaultAction(3);
    ActionChoices choices = actionChoices(list);
    ASSERT_EQ(choices.entries.size(), 4u);
    EXPECT_EQ(choices.entries[0].text, u" <Last used action>");
    EXPECT_EQ(choices.entries[0].value, -1);
    EXPECT_EQ(choices.entries[1].text, u" <Choice once opened>");
    EXPECT_EQ(choices.entries[1].value, 0);
    EXPECT_EQ(choices.entries[2].value, 1);
    EXPECT_EQ(choices.entries[3].value, 3);
    EXPECT_EQ(choices.selected, 3);

    list.setDefaultAction(7);  // names no starter
    EXPECT_FALSE(actionChoices(list).selected.has_value());
    list.setDefaultAction(-1);
    EXPECT_EQ(actionChoices(list).selected, -1);
}

TEST(SetupModel, TheScanHintNeedsBothListsEmpty) {
    EXPECT_TRUE(shouldShowScanHint(StarterList{}, StarterList{}));
    EXPECT_FALSE(shouldShowScanHint(listOf({{1, u"a"}}), StarterList{}));
    EXPECT_FALSE(shouldShowScanHint(StarterList{}, listOf({{9, u"a"}})));
}

TEST(SetupModel, CancelledAddOrCopyFreesTheSlotAndLeavesTheSourceAlone) {
    StarterList list = listOf({{1, u"Java"}});
    EXPECT_EQ(addStarter(list, answering(false, u"typed")), 0);
    EXPECT_EQ(copyStarter(list, 1, answering(false, u"typed")), 0);
    EXPECT_EQ(list.nextSlot(1), 0);
    EXPECT_EQ(list.record(1).name, u"Java");
    EXPECT_EQ(addStarter(list, answering(true, u"new")), 2);  // the freed slot again
    EXPECT_EQ(copyStarter(list, 1, answering(true)), 3);
    EXPECT_EQ(list.record(3), list.record(1));
    EXPECT_EQ(copyStarter(list, 9, answering(true)), 0);  // no such source
    EXPECT_FALSE(listIsFull(list));
    while (list.addRecord() != 0) {}
    EXPECT_TRUE(listIsFull(list));
}

TEST(SetupModel, EditingAMissingSlotDoesNothing) {
    StarterList list = listOf({{1, u"Java"}});
    EXPECT_FALSE(editStarter(list, 2, answering(true, u"x")));
    EXPECT_TRUE(editStarter(list, 1, answering(true, u"Renamed")));
    EXPECT_EQ(list.record(1).name, u"Renamed");
}

TEST(SetupModel, DeleteWarningNamesTheStarter) {
    EXPECT_EQ(deleteWarning({u"My \"JDK\"", u"", u""}), u"The JAR starter \"My \"JDK\"\" will be deleted.");
}

TEST(StarterEditModel, ChecksNameFirstThenExecutableAndTrimsEverything) {
    EXPECT_EQ(checkStarterFields(u" \t", u"", u"").error, u"The \"Name\" field is empty.");
    EXPECT_EQ(checkStarterFields(u"Java", u"\u3000", u"").error, u"The \"Executable File\" field is empty.");
    const StarterEditOutcome ok = checkStarterFields(u"  Java 17 ", u"\tC:\\jdk\\java.exe\r\n", u"   ");
    ASSERT_TRUE(ok.record.has_value());
    EXPECT_EQ(*ok.record, (StarterRecord{u"Java 17", u"C:\\jdk\\java.exe", u""}));
    // Explorer's "Copy as path" gives the path in quotes.
    EXPECT_EQ(checkStarterFields(u"J", u" \"C:\\Program Files\\jdk\\bin\\java.exe\" ", u"").record->executableFile,
              u"C:\\Program Files\\jdk\\bin\\java.exe");
}

// A J2SE starter must hand the launcher its archive.
TEST(StarterEditModel, AJavaLauncherGetsArgumentsThatPassTheArchive) {
    struct Case {
        StarterKind kind;
        const char16_t* program;
        const char16_t* arguments;
        std::optional<WideString> filled;  // nothing: the field stays as it is
        bool warned;                       // on OK, with the arguments as they end up
    };
    const WideString jar = u"-jar %1 %*";
    const Case cases[] = {
        {StarterKind::J2SE, u"C:\\jdk\\bin\\javaw.exe", u"", jar, false},
        {StarterKind::J2SE, u"\"C:\\Program Files\\jdk\\bin\\JAVA.EXE\" ", u"  ", jar, false},
        {StarterKind::J2SE, u"C:\\jdk\\bin\\javaw.exe", u"-cp %1 a.Main", std::nullopt, false},
        {StarterKind::J2SE, u"C:\\jdk\\bin\\javaw.exe", u"-jar app.jar", std::nullopt, true},
        {StarterKind::J2SE, u"C:\\tools\\run.bat", u"", std::nullopt, true},
        {StarterKind::J2SE, u"C:\\tools\\javaw.exe.bak", u"", std::nullopt, true},
        {StarterKind::J2ME, u"C:\\jdk\\bin\\javaw.exe", u"", std::nullopt, false},
    };
    for (const Case& c : cases) {
        const std::optional<WideString> filled = argumentsForJavaLauncher(c.kind, c.program, c.arguments);
        EXPECT_EQ(filled, c.filled) << &c - cases;
        const StarterRecord stored = *checkStarterFields(u"Java", c.program, filled.value_or(c.arguments)).record;
        EXPECT_EQ(argumentsWarning(c.kind, stored).empty(), !c.warned) << &c - cases;
    }
}

TEST(Trim, RemovesUnicodeSpacesButNotOtherCharacters) {
    EXPECT_EQ(trimmed(u"\u2003\u00a0x y\u2029\v"), u"\u00a0x y");  // a no-break space is kept
    EXPECT_EQ(trimmed(u"\u200b"), u"\u200b");                    // a zero-width space is not white space
    EXPECT_EQ(trimmed(u""), u"");
}

// Two setup windows on one registry: the other window's OK comes first. A changed
// list replaces one the other window saved meanwhile only after a Yes; whatever
// OK decides, this process then holds what is stored. After a refused save (the
// user is told) and after a save, OK again asks nothing.
TEST(SetupModel, OkStoresTheListsThatDialogChangedAndAsksBeforeReplacingAnotherWindowsSave) {
    const StarterList none, java = listOf({{1, u"Java"}}), javas = listOf({{1, u"Java"}, {2, u"Java 21"}}),
                            phone = listOf({{1, u"Phone"}}), phones = listOf({{1, u"Phone"}, {2, u"Emulator"}}),
                            ab = listOf({{1, u"A"}, {2, u"B"}});
    struct Case {
        StarterList otherJ2se, otherJ2me, mineJ2se;
        std::deque<MessageAnswer> answers;
        std::optional<int> writesBeforeRefusal;  // in this window's first OK
        std::optional<MessageKind> shown;
        StarterList storedJ2se, storedJ2me;
    };
    const Case cases[] = {
        {java, phones, javas, {}, {}, {}, javas, phones},  // each window its own kind
        {none, phone, javas, {MessageAnswer::No}, {}, MessageKind::Confirmation, none, phone},
        {none, phone, javas, {MessageAnswer::Yes}, {}, MessageKind::Confirmation, javas, phone},
        {none, phone, none, {}, {}, {}, none, phone},  // both made the same change
        {none, phone, java, {}, {}, {}, none, phone},  // this window changed nothing
        // Refused after both actions and "A": what is stored now is neither list.
        {java, phone, ab, {}, 3, MessageKind::ValidationError, ab, phone},
    };
    for (const Case& c : cases) {
        const auto row = &c - cases;
        FakeRegistry registry;
        FakeUserInterface ui;
        SettingsStore other(registry), mine(registry);
        other.list(StarterKind::J2SE) = java;
        other.list(StarterKind::J2ME) = phone;
        other.save();
        mine.load();
        OpenedLists otherOpened{java, phone}, mineOpened{java, phone};
        other.list(StarterKind::J2SE) = c.otherJ2se;
        other.list(StarterKind::J2ME) = c.otherJ2me;
        mine.list(StarterKind::J2SE) = c.mineJ2se;
        EXPECT_TRUE(saveChangedLists(other, otherOpened, ui, kNoWindow)) << row;
        ui.answers = c.answers;
        if (c.writesBeforeRefusal) registry.writesBeforeFailure = registry.writes + *c.writesBeforeRefusal;
        EXPECT_EQ(saveChangedLists(mine, mineOpened, ui, kNoWindow), !c.writesBeforeRefusal) << row;
        registry.writesBeforeFailure.reset();
        EXPECT_TRUE(saveChangedLists(mine, mineOpened, ui, kNoWindow)) << row;

        ASSERT_EQ(ui.messages.size(), c.shown ? 1u : 0u) << row;
        if (c.shown) {
            EXPECT_EQ(ui.messages[0].kind, *c.shown) << row;
            EXPECT_NE(ui.messages[0].text.find(u"J2SE starters"), WideString::npos) << row;
        }
        SettingsStore stored(registry);
        stored.load();
        for (const auto& [kind, expected] : {std::pair{StarterKind::J2SE, c.storedJ2se}, {StarterKind::J2ME, c.storedJ2me}}) {
            EXPECT_TRUE(sameStarters(stored.list(kind), expected)) << row;
            EXPECT_TRUE(sameStarters(mine.list(kind), expected)) << row;
        }
    }
}
