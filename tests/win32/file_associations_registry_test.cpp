#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "core/setup/file_associations.h"
#include "dialog_driver.h"
#include "user_hive.h"
#include "win32/platform/win32_registry.h"
#include "win32/platform/win32_shell.h"
#include "win32/ui/win32_user_interface.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

std::wstring defaultValue(const wchar_t* key) {
    wchar_t text[256] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, key, nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"<none>";
    return text;
}

// Runs the command on the real registry and the real shell, answering the
// confirmation box with `answer` (and confirming what it says after a Yes);
// returns the first box's caption and text.
std::pair<std::wstring, std::vector<std::wstring>> associate(int answer) {
    std::pair<std::wstring, std::vector<std::wstring>> seen;
    std::vector<DialogDriver::Step> steps{[&](DialogWindow& box) {
        seen = {box.caption(), box.staticTexts()};
        box.click(answer);
    }};
    if (answer == IDYES) steps.push_back([](DialogWindow& box) { box.click(IDOK); });
    DialogDriver driver(steps);
    win32::Win32UserInterface ui;
    win32::Win32Registry registry;
    win32::Win32Shell shell;
    driver.run([&] {
        associateFileTypes(kNoWindow, ui, registry, shell, u"C:\\Tools\\Quillmont.exe");
        return 0;
    });
    EXPECT_TRUE(driver.allStepsRan());
    return seen;
}

}  // namespace

TEST(FileAssociationsOnTheRealRegistry, NoWritesNothing) {
    ScratchUserHive hive;
    ASSERT_TRUE(hive.valid());
    const auto seen = associate(IDNO);
    EXPECT_EQ(seen.first, L"Confirmation");
    EXPECT_EQ(seen.second, std::vector<std::wstring>{L"Would you like to associate JAR and JAD files with Quillmont?"});
    HKEY classes = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_READ, &classes), ERROR_SUCCESS);
}

TEST(FileAssociationsOnTheRealRegistry, YesPointsBothExtensionsAtQuillmontOverAnotherProgram) {
    ScratchUserHive hive;
    ASSERT_TRUE(hive.valid());
    HKEY jar = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\.jar", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &jar, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(jar, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"jarfile"), 16);
    RegCloseKey(jar);

    associate(IDYES);
    EXPECT_EQ(defaultValue(L"Software\\Classes\\.jad"), L"Quillmont.jad");
    EXPECT_EQ(defaultValue(L"Software\\Classes\\.jar"), L"Quillmont.jar");
    DWORD size = 0;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Classes\\.jad", nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &size);
    EXPECT_EQ(size, sizeof(L"Quillmont.jad"));  // the terminating zero is counted
    // Where the installer never ran: the classes made for the program, the old handler kept.
    EXPECT_EQ(defaultValue(L"Software\\Classes\\Quillmont.jar\\shell\\open\\command"),
              L"\"C:\\Tools\\Quillmont.exe\" \"%1\" %*");
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Classes\\.jar\\OpenWithProgids", L"jarfile", RRF_RT_REG_SZ,
                           nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

TEST(FileAssociationsOnTheRealRegistry, AJadKeyThatCannotBeWrittenDoesNotStopJar) {
    ScratchUserHive hive;
    ASSERT_TRUE(hive.valid());
    HKEY jad = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\.jad", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &jad, nullptr),
              ERROR_SUCCESS);
    // Nobody may write to .jad any more; reading and deleting stay allowed.
    PSECURITY_DESCRIPTOR denyWrites = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;KW;;;WD)(A;;GA;;;WD)", SDDL_REVISION_1,
                                                                     &denyWrites, nullptr));
    ASSERT_EQ(RegSetKeySecurity(jad, DACL_SECURITY_INFORMATION, denyWrites), ERROR_SUCCESS);
    LocalFree(denyWrites);
    RegCloseKey(jad);
    HKEY probe = nullptr;
    ASSERT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\.jad", 0, KEY_SET_VALUE, &probe), ERROR_SUCCESS)
        << "this registry does not enforce key security";

    associate(IDYES);
    EXPECT_EQ(defaultValue(L"Software\\Classes\\.jad"), L"<none>");
    EXPECT_EQ(defaultValue(L"Software\\Classes\\.jar"), L"Quillmont.jar");
}
