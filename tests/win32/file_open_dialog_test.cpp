#include <gtest/gtest.h>

#include "core/app/program_entry.h"
#include "dialog_driver.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"
#include "win32/ui/win32_user_interface.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {
// Control ids of the common file dialog's template.
constexpr int kFileTypeCombo = 0x470;  // cmb1
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

void typeFileName(DialogWindow& dialog, const std::wstring& name) {
    dialog.setText(dialog.hasControl(kFileNameCombo) ? kFileNameCombo : kFileNameEdit, name);
}
}  // namespace

TEST(FileOpenDialog, ShowsTheTitleAndFiltersAndCancelsToNothing) {
    std::wstring caption;
    std::vector<std::wstring> filters;
    int selected = -1;
    DialogDriver driver({[&](DialogWindow& dialog) {
        caption = dialog.caption();
        filters = dialog.comboItems(kFileTypeCombo);
        selected = dialog.comboSelection(kFileTypeCombo);
        dialog.click(IDCANCEL);
    }});
    win32::Win32UserInterface ui;
    const std::optional<LaunchRequest> request = driver.run([&] { return askForFileToOpen(ui); });
    EXPECT_TRUE(driver.allStepsRan());
    EXPECT_FALSE(request.has_value());
    EXPECT_EQ(caption, L"Select a JAR or JAD File");
    EXPECT_EQ(filters, (std::vector<std::wstring>{L"JAR and JAD Files (*.jar;*.jad)", L"All Files"}));
    EXPECT_EQ(selected, 0);
}

TEST(FileOpenDialog, AChosenFileBecomesARequestThatAlwaysAsks) {
    const std::wstring folder = makeTemporaryFolder(L"chosen");
    const std::wstring path = folder + L"\\My Game.jad";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);

    DialogDriver driver({[&](DialogWindow& dialog) {
        typeFileName(dialog, path);
        dialog.click(IDOK);
    }});
    win32::Win32UserInterface ui;
    const std::optional<LaunchRequest> request = driver.run([&] { return askForFileToOpen(ui); });
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->filePath, win32::fromWide(path));
    EXPECT_FALSE(request->allowDefaultAction);
    wchar_t after[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(before, after);  // the dialog leaves the current directory alone
}

TEST(FileOpenDialog, AFileThatDoesNotExistIsNotAccepted) {
    const std::wstring missing = makeTemporaryFolder(L"missing") + L"\\gone.jar";
    int dialogsSeen = 0;
    DialogDriver driver({[&](DialogWindow& dialog) {
                             typeFileName(dialog, missing);
                             dialog.click(IDOK);
                         },
                         [&](DialogWindow& complaint) {  // the dialog's own "file not found" box
                             ++dialogsSeen;
                             complaint.click(IDOK);
                         },
                         [&](DialogWindow& dialog) {
                             ++dialogsSeen;
                             dialog.click(IDCANCEL);
                         }});
    win32::Win32UserInterface ui;
    const std::optional<LaunchRequest> request = driver.run([&] { return askForFileToOpen(ui); });
    EXPECT_FALSE(request.has_value());
    EXPECT_EQ(dialogsSeen, 2);
}
