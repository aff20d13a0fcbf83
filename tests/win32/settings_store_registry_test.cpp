#include <gtest/gtest.h>

#include <windows.h>

#include "core/starters/settings_store.h"
#include "user_hive.h"
#include "win32/platform/win32_registry.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

std::vector<std::wstring> subkeysOf(const wchar_t* path) {
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name);
    }
    RegCloseKey(key);
    return names;
}

DWORD valueType(const wchar_t* path, const wchar_t* name, DWORD& size) {
    DWORD type = 0;
    size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

}  // namespace

TEST(SettingsStoreOnTheRealRegistry, BothListsRoundTripInTheStoredLayout) {
    ScratchUserHive hive;
    ASSERT_TRUE(hive.valid());
    win32::Win32Registry registry;
    SettingsStore store(registry);
    store.load();
    StarterList& j2se = store.list(StarterKind::J2SE);
    j2se.placeRecord(1, {u"Java 17", u"C:\\Program Files\\Java\\bin\\javaw.exe", u"-jar %1 %*"});
    j2se.placeRecord(3, {u"\u65e5\u672c", u"", WideString(20000, u'x')});
    j2se.setDefaultAction(-1);
    j2se.setLastAction(3);
    StarterList& j2me = store.list(StarterKind::J2ME);
    j2me.placeRecord(256, {u"Phone", u"C:\\WTK\\bin\\emulator.exe", u"-Xdescriptor:%1"});
    j2me.setDefaultAction(256);
    store.save();

    EXPECT_EQ(subkeysOf(L"Software\\Brenwick\\Quillmont\\setup1"), (std::vector<std::wstring>{L"J2ME", L"J2SE"}));
    EXPECT_EQ(subkeysOf(L"Software\\Brenwick\\Quillmont\\setup1\\J2SE"), (std::vector<std::wstring>{L"1", L"3"}));
    EXPECT_EQ(subkeysOf(L"Software\\Brenwick\\Quillmont\\setup1\\J2ME"), std::vector<std::wstring>{L"256"});
    DWORD size = 0;
    EXPECT_EQ(valueType(L"Software\\Brenwick\\Quillmont\\setup1\\J2SE", L"DefaultAction", size), REG_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(valueType(L"Software\\Brenwick\\Quillmont\\setup1\\J2SE\\1", L"Name", size), REG_SZ);
    EXPECT_EQ(size, 16u);  // "Java 17" and its terminating zero

    SettingsStore reloaded(registry);
    reloaded.load();
    for (StarterKind kind : {StarterKind::J2SE, StarterKind::J2ME}) {
        StarterList& before = store.list(kind);
        StarterList& after = reloaded.list(kind);
        for (int s = 1; s <= StarterList::kMaxSlot; ++s) {
            ASSERT_EQ(after.isOccupied(s), before.isOccupied(s)) << s;
            if (before.isOccupied(s)) {
                EXPECT_EQ(after.record(s), before.record(s)) << s;
            }
        }
        EXPECT_EQ(after.defaultAction(), before.defaultAction());
        EXPECT_EQ(after.lastAction(), before.lastAction());
    }
}

TEST(SettingsStoreOnTheRealRegistry, OddEntriesLoadByTheirRulesAndTheNextSaveTidiesThem) {
    ScratchUserHive hive;
    ASSERT_TRUE(hive.valid());
    win32::Win32Registry registry;
    const WideString j2se = SettingsStore::kindKey(StarterKind::J2SE);
    for (const char16_t* name : {u"07", u"abc", u"300", u"-1", u" 5"}) {
        registry.createKey(RegistryRoot::CurrentUser, j2se + u"\\" + name);
        registry.setString(RegistryRoot::CurrentUser, j2se + u"\\" + name, u"Name", name);
    }
    registry.setString(RegistryRoot::CurrentUser, j2se, u"DefaultAction", u"\x0005");  // a string, not a DWORD
    SettingsStore store(registry);
    store.load();
    StarterList& list = store.list(StarterKind::J2SE);
    EXPECT_EQ(list.nextSlot(0), 5);
    EXPECT_EQ(list.record(5).name, u" 5");
    EXPECT_EQ(list.record(5).executableFile, u"ExecutableFile");
    EXPECT_EQ(list.nextSlot(5), 7);
    EXPECT_EQ(list.nextSlot(7), 0);
    EXPECT_EQ(list.defaultAction(), 5);  // the first four bytes: 05 00 00 00

    store.save();
    EXPECT_EQ(subkeysOf(L"Software\\Brenwick\\Quillmont\\setup1\\J2SE"), (std::vector<std::wstring>{L"5", L"7"}));
}
