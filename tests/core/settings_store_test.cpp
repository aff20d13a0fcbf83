#include <gtest/gtest.h>

#include <set>

#include "core/starters/settings_store.h"
#include "fake_registry.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
const WideString kJ2se = u"Software\\Brenwick\\Quillmont\\setup1\\J2SE";
const WideString kJ2me = u"Software\\Brenwick\\Quillmont\\setup1\\J2ME";

void storeStarter(FakeRegistry& registry, const WideString& kindKey, const WideString& subkey, const WideString& name) {
    const WideString key = kindKey + u"\\" + subkey;
    registry.createKey(kUser, key);
    registry.setString(kUser, key, u"Name", name);
    registry.setString(kUser, key, u"ExecutableFile", u"C:\\java\\" + name + u".exe");
    registry.setString(kUser, key, u"Arguments", u"-jar %1 %*");
}

std::vector<std::pair<int, WideString>> namesBySlot(StarterList& list) {
    std::vector<std::pair<int, WideString>> names;
    for (int s = list.nextSlot(0); s != 0; s = list.nextSlot(s)) names.emplace_back(s, list.record(s).name);
    return names;
}

RegistryValue bytesValue(std::uint32_t type, std::vector<std::uint8_t> bytes) { return {type, std::move(bytes)}; }

}  // namespace

TEST(SettingsStore, FirstRunHasNoStarters) {
    FakeRegistry registry;
    SettingsStore store(registry);
    store.load();
    for (StarterKind kind : {StarterKind::J2SE, StarterKind::J2ME}) {
        EXPECT_EQ(store.list(kind).nextSlot(0), 0);
        EXPECT_EQ(store.list(kind).slotCount(), 1);
        EXPECT_EQ(store.list(kind).defaultAction(), 0);
        EXPECT_EQ(store.list(kind).lastAction(), 0);
    }
}

TEST(SettingsStore, SlotsLoadWithTheirGaps) {
    FakeRegistry registry;
    for (const char16_t* slot : {u"1", u"3", u"10"}) storeStarter(registry, kJ2se, slot, WideString(u"s") + slot);
    SettingsStore store(registry);
    store.load();
    StarterList& list = store.list(StarterKind::J2SE);
    EXPECT_EQ(namesBySlot(list), (std::vector<std::pair<int, WideString>>{{1, u"s1"}, {3, u"s3"}, {10, u"s10"}}));
    EXPECT_EQ(list.record(3).executableFile, u"C:\\java\\s3.exe");
    EXPECT_EQ(list.record(3).arguments, u"-jar %1 %*");
    EXPECT_EQ(list.addRecord(), 2);
    EXPECT_EQ(store.list(StarterKind::J2ME).nextSlot(0), 0);
}

TEST(SettingsStore, ActionsAreValidatedAgainstTheLoadedSlots) {
    struct Case {
        std::uint32_t storedDefault, storedLast;
        std::int32_t defaultAction, lastAction;
    };
    for (const Case& c : {Case{5, 5, 0, 0}, Case{4294967295u, 2, -1, 2}, Case{2, 0, 2, 0}, Case{0, 7, 0, 0},
                          Case{4294967294u, 4294967295u, 0, 0}}) {
        FakeRegistry registry;
        storeStarter(registry, kJ2me, u"2", u"emulator");
        registry.setDword(kUser, kJ2me, u"DefaultAction", c.storedDefault);
        registry.setDword(kUser, kJ2me, u"LastAction", c.storedLast);
        SettingsStore store(registry);
        store.load();
        EXPECT_EQ(store.list(StarterKind::J2ME).defaultAction(), c.defaultAction) << c.storedDefault;
        EXPECT_EQ(store.list(StarterKind::J2ME).lastAction(), c.lastAction) << c.storedLast;
    }
}

TEST(SettingsStore, ValuesReadByTheirRulesWhateverTheirType) {
    FakeRegistry registry;
    const WideString key = kJ2se + u"\\1";
    registry.createKey(kUser, key);
    // no Name value at all; ExecutableFile of one character; Arguments stored as a DWORD
    registry.setRaw(kUser, key, u"ExecutableFile", bytesValue(registry_type::kString, {'x', 0}));
    registry.setRaw(kUser, key, u"Arguments", bytesValue(registry_type::kDword, {'a', 0, 'b', 0}));
    const WideString key2 = kJ2se + u"\\2";
    registry.createKey(kUser, key2);
    // text up to the first zero; an odd trailing byte is ignored
    registry.setRaw(kUser, key2, u"Name", bytesValue(registry_type::kBinary, {'a', 0, 'b', 0, 0, 0, 'c', 0, 'd'}));
    registry.setRaw(kUser, key2, u"ExecutableFile", bytesValue(registry_type::kString, {'a', 0, 'b', 0, 'c'}));
    // numbers: the first four bytes of whatever is stored; fewer bytes count as zeros
    registry.setRaw(kUser, kJ2se, u"DefaultAction", bytesValue(registry_type::kString, {2, 0, 0, 0, 9, 9}));
    registry.setRaw(kUser, kJ2se, u"LastAction", bytesValue(registry_type::kBinary, {1}));

    SettingsStore store(registry);
    store.load();
    StarterList& list = store.list(StarterKind::J2SE);
    EXPECT_EQ(list.record(1), (StarterRecord{u"Name", u"", u"ab"}));
    EXPECT_EQ(list.record(2), (StarterRecord{u"ab", u"ab", u"Arguments"}));
    EXPECT_EQ(list.defaultAction(), 2);
    EXPECT_EQ(list.lastAction(), 1);
}

TEST(SettingsStore, OddSubkeyNamesLoadByTheirLeadingNumberAndTheRestArePassedOver) {
    FakeRegistry registry;
    for (const char16_t* name : {u"07", u"abc", u"300", u"-1", u" 5", u"0", u"256", u"4294967297"})
        storeStarter(registry, kJ2se, name, WideString(u"[") + name + u"]");
    storeStarter(registry, kJ2se, WideString(255, u'9'), u"too big");
    SettingsStore store(registry);
    store.load();
    EXPECT_EQ(namesBySlot(store.list(StarterKind::J2SE)),
              (std::vector<std::pair<int, WideString>>{{5, u"[ 5]"}, {7, u"[07]"}, {256, u"[256]"}}));

    // The next save keeps every loadable starter and leaves the canonical layout.
    store.save();
    std::vector<WideString> keys;
    for (std::uint32_t i = 0;; ++i) {
        EnumResult found = registry.enumSubkey(kUser, kJ2se, i, RegistryAccess::Full);
        if (found.status != EnumStatus::Found) break;
        keys.push_back(found.name);
    }
    EXPECT_EQ(keys, (std::vector<WideString>{u"256", u"5", u"7"}));
    SettingsStore reloaded(registry);
    reloaded.load();
    EXPECT_EQ(namesBySlot(reloaded.list(StarterKind::J2SE)), namesBySlot(store.list(StarterKind::J2SE)));
}

TEST(SettingsStore, TheNewerOfTwoNamesForOneSlotWins) {
    FakeRegistry registry;
    storeStarter(registry, kJ2se, u"07", u"older");  // enumerates first
    storeStarter(registry, kJ2se, u"7", u"newer");
    SettingsStore store(registry);
    store.load();
    EXPECT_EQ(namesBySlot(store.list(StarterKind::J2SE)), (std::vector<std::pair<int, WideString>>{{7, u"newer"}}));
}

TEST(SettingsStore, SaveWritesExactlyTheListsAndNothingElse) {
    FakeRegistry registry;
    storeStarter(registry, kJ2se, u"9", u"gone");
    storeStarter(registry, kJ2se, u"abc", u"stray");
    registry.setString(kUser, kJ2se, u"Stray", u"value");
    registry.createKey(kUser, kJ2se + u"\\1\\child");
    registry.setString(kUser, kJ2se + u"\\1", u"Extra", u"value");

    SettingsStore store(registry);
    StarterList& j2se = store.list(StarterKind::J2SE);
    j2se.placeRecord(1, {u"Java 17", u"C:\\jdk\\bin\\javaw.exe", u"-jar %1 %*"});
    j2se.placeRecord(3, {u"", u"", u""});
    j2se.setDefaultAction(-1);
    j2se.setLastAction(3);
    store.save();

    EXPECT_EQ(registry.dump(kUser, u"Software\\Brenwick\\Quillmont\\setup1"),
              (std::vector<WideString>{
                  u"Software\\Brenwick\\Quillmont\\setup1\\J2ME",
                  kJ2me + u" : DefaultAction = 4:0,0,0,0,",
                  kJ2me + u" : LastAction = 4:0,0,0,0,",
                  u"Software\\Brenwick\\Quillmont\\setup1\\J2SE",
                  kJ2se + u" : DefaultAction = 4:255,255,255,255,",
                  kJ2se + u" : LastAction = 4:3,0,0,0,",
                  kJ2se + u"\\1",
                  kJ2se + u"\\1 : Name = 1:74,0,97,0,118,0,97,0,32,0,49,0,55,0,0,0,",
                  kJ2se + u"\\1 : ExecutableFile = 1:67,0,58,0,92,0,106,0,100,0,107,0,92,0,98,0,105,0,110,0,92,0,"
                          u"106,0,97,0,118,0,97,0,119,0,46,0,101,0,120,0,101,0,0,0,",
                  kJ2se + u"\\1 : Arguments = 1:45,0,106,0,97,0,114,0,32,0,37,0,49,0,32,0,37,0,42,0,0,0,",
                  kJ2se + u"\\3",
                  kJ2se + u"\\3 : Name = 1:0,0,",
                  kJ2se + u"\\3 : ExecutableFile = 1:0,0,",
                  kJ2se + u"\\3 : Arguments = 1:0,0,",
              }));
}

TEST(SettingsStore, SaveAndLoadRoundTripBothListsExactly) {
    FakeRegistry registry;
    SettingsStore store(registry);
    StarterList& j2me = store.list(StarterKind::J2ME);
    for (int slot : {2, 3, 17}) j2me.placeRecord(slot, {u"Phone " + WideString(40000, u'\u00e9'), u"C:\\wtk\\emulator.exe", u"-Xdescriptor:%1"});
    j2me.record(3).startFolder = u"D:\\Emulators\\KEmulator nnmod \u00e9";
    j2me.setDefaultAction(17);
    j2me.setLastAction(2);
    store.list(StarterKind::J2SE).placeRecord(1, {u"", u"", u""});
    store.save();

    SettingsStore reloaded(registry);
    reloaded.load();
    for (StarterKind kind : {StarterKind::J2SE, StarterKind::J2ME}) {
        StarterList& before = store.list(kind);
        StarterList& after = reloaded.list(kind);
        EXPECT_EQ(namesBySlot(after), namesBySlot(before));
        for (int s = before.nextSlot(0); s != 0; s = before.nextSlot(s)) EXPECT_EQ(after.record(s), before.record(s));
        EXPECT_EQ(after.defaultAction(), before.defaultAction());
        EXPECT_EQ(after.lastAction(), before.lastAction());
    }
    // A start folder taken away leaves no value behind; older versions never see one.
    j2me.record(3).startFolder.clear();
    store.save();
    EXPECT_FALSE(registry.queryValue(kUser, kJ2me + u"\\3", u"StartFolder", RegistryAccess::Full));
    reloaded.load();
    EXPECT_EQ(reloaded.list(StarterKind::J2ME).record(3), j2me.record(3));
}

TEST(SettingsStore, StoringTheLastActionWritesOnlyThatValue) {
    FakeRegistry registry;
    SettingsStore store(registry);
    store.load();
    store.storeLastAction(StarterKind::J2ME, 4);
    EXPECT_EQ(store.list(StarterKind::J2ME).lastAction(), 4);
    EXPECT_EQ(registry.dump(kUser, kJ2me), std::vector<WideString>{kJ2me + u" : LastAction = 4:4,0,0,0,"});
    EXPECT_FALSE(registry.keyExists(kUser, kJ2se, RegistryAccess::Full));
    store.load();
    EXPECT_EQ(store.list(StarterKind::J2ME).lastAction(), 0);  // slot 4 holds no starter
}

// Whatever write a save is cut off at (that write refused alone, or it and every
// later one, as when the program is killed), the save says it failed, and the
// reload holds every stored starter the lists still hold, and no slot that reads
// as a starter called "Name".
TEST(SettingsStore, AnInterruptedSaveSaysSoAndReloadsWithNoStarterLostOrMadeUp) {
    auto seed = [](FakeRegistry& registry) {
        for (const char16_t* slot : {u"1", u"2", u"5", u"07"}) storeStarter(registry, kJ2se, slot, WideString(u"old") + slot);
        storeStarter(registry, kJ2me, u"1", u"old phone");
        registry.setDword(kUser, kJ2se, u"DefaultAction", 2);
    };
    auto edit = [](SettingsStore& store) {
        StarterList& j2se = store.list(StarterKind::J2SE);
        j2se.record(2).name = u"new2";
        j2se.removeRecord(5);
        j2se.record(j2se.addRecord()).name = u"new3";
        store.list(StarterKind::J2ME).record(1).name = u"new phone";
    };
    using Names = std::set<std::pair<int, WideString>>;  // each slot with a name it had before or after
    const Names j2seNames{{1, u"old1"}, {2, u"old2"}, {2, u"new2"}, {3, u"new3"}, {5, u"old5"}, {7, u"old07"}};
    const Names j2meNames{{1, u"old phone"}, {1, u"new phone"}};
    FakeRegistry counting;
    seed(counting);
    SettingsStore full(counting);
    full.load();
    edit(full);
    counting.writes = 0;
    EXPECT_TRUE(full.save());
    const int totalWrites = counting.writes;
    ASSERT_GT(totalWrites, 10);

    for (int run = 0; run < 2 * totalWrites; ++run) {
        const int failing = run / 2 + 1;
        FakeRegistry registry;
        seed(registry);
        SettingsStore store(registry);
        store.load();
        edit(store);
        registry.writes = 0;
        if (run % 2 == 0) registry.writesBeforeFailure = failing - 1;
        if (run % 2 == 1) registry.failingWrite = failing;
        EXPECT_FALSE(store.save()) << run;

        SettingsStore after(registry);
        after.load();
        for (const auto& slot : namesBySlot(after.list(StarterKind::J2SE))) EXPECT_TRUE(j2seNames.count(slot)) << run;
        for (const auto& slot : namesBySlot(after.list(StarterKind::J2ME))) EXPECT_TRUE(j2meNames.count(slot)) << run;
        for (int slot : {1, 2, 7}) EXPECT_TRUE(after.list(StarterKind::J2SE).isOccupied(slot)) << run;
        EXPECT_TRUE(after.list(StarterKind::J2ME).isOccupied(1)) << run;
    }
}
