#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/starter_edit_dialog.h"
#include "win32/ui/win32_user_interface.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

INT_PTR runEdit(StarterRecord& record, StarterKind kind, std::vector<DialogDriver::Step> steps) {
    DialogDriver driver(std::move(steps));
    win32::Win32UserInterface ui;
    win32::StarterEditDialog dialog(record, kind, ui);
    const INT_PTR result = driver.run([&] { return dialog.run(nullptr); });
    EXPECT_TRUE(driver.allStepsRan()) << driver.stepsRun();
    EXPECT_FALSE(driver.timedOut());
    return result;
}

// Opens the ">" menu and picks entry `entry` (1 or 2) with the keyboard, as a user would.
void chooseSnippet(DialogWindow& dialog, int entry) {
    dialog.click(IDC_STARTER_SNIPPETS);
    for (int i = 0; i < entry; ++i) {
        PostMessageW(dialog.handle(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(dialog.handle(), WM_KEYUP, VK_DOWN, static_cast<LPARAM>(0xC0000001u));
    }
    PostMessageW(dialog.handle(), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(dialog.handle(), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
    DialogDriver::pumpMessages(600);
}

}  // namespace

TEST(StarterEditDialog, ShowsTheVariantAndTheRecordAndLimitsTyping) {
    StarterRecord record{u"Java", u"C:\\jdk\\bin\\java.exe", u"-jar %1 %*"};
    std::vector<DialogWindow::Control> controls;
    std::wstring caption;
    unsigned limits[4] = {};
    runEdit(record, StarterKind::J2ME, {[&](DialogWindow& dialog) {
        caption = dialog.caption();
        controls = dialog.controls();
        int i = 0;
        for (int id : {IDC_STARTER_NAME, IDC_STARTER_EXECUTABLE, IDC_STARTER_ARGUMENTS, IDC_STARTER_FOLDER})
            limits[i++] = static_cast<unsigned>(SendMessageW(dialog.control(id), EM_GETLIMITTEXT, 0, 0));
        dialog.pressEscape();
    }});
    EXPECT_EQ(caption, L"J2ME Starter");
    ASSERT_EQ(controls.size(), 13u);
    const std::vector<std::wstring> texts = {
        L"&Name", L"Java", L"&Executable File (or KEmulator.jar, freej2me.jar, microemulator.jar)",
        L"C:\\jdk\\bin\\java.exe", L"...",
        L"&Arguments (%1 - JAD file name, %2 - JAR file name, %* - external arguments)", L"-jar %1 %*", L">",
        L"&Start Folder (empty - the folder Quillmont runs in)", L"", L"", L"OK", L"Cancel"};
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(controls[i].text, texts[i]) << i;
    EXPECT_EQ(limits[0], 256u);
    EXPECT_EQ(limits[1], 1024u);
    EXPECT_EQ(limits[2], 1024u);
    EXPECT_EQ(limits[3], 1024u);
}

TEST(StarterEditDialog, RefusesAnEmptyNameFirstAndKeepsTheInput) {
    StarterRecord record{u"before", u"before.exe", u"args"};
    std::vector<std::wstring> firstError, secondError;
    std::wstring nameAfterError;
    const INT_PTR result = runEdit(record, StarterKind::J2SE,
                                   {[&](DialogWindow& dialog) {
                                        dialog.setText(IDC_STARTER_NAME, L"   \t ");
                                        dialog.setText(IDC_STARTER_EXECUTABLE, L"");
                                        dialog.click(IDOK);
                                    },
                                    [&](DialogWindow& error) {
                                        EXPECT_EQ(error.caption(), L"Error");
                                        firstError = error.staticTexts();
                                        error.click(IDOK);
                                    },
                                    [&](DialogWindow& dialog) {
                                        nameAfterError = dialog.text(IDC_STARTER_NAME);
                                        dialog.setText(IDC_STARTER_NAME, L"  Java  ");
                                        dialog.click(IDOK);
                                    },
                                    [&](DialogWindow& error) {
                                        secondError = error.staticTexts();
                                        error.click(IDOK);
                                    },
                                    [&](DialogWindow& dialog) { dialog.click(IDCANCEL); }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(firstError, std::vector<std::wstring>{L"The \"Name\" field is empty."});
    EXPECT_EQ(secondError, std::vector<std::wstring>{L"The \"Executable File\" field is empty."});
    EXPECT_EQ(nameAfterError, L"   \t ");
    EXPECT_EQ(record, (StarterRecord{u"before", u"before.exe", u"args"}));  // untouched
}

// Arguments without %1 never pass the archive: OK asks first.
TEST(StarterEditDialog, SnippetsAreAppendedAtTheEndWhateverTheSelection) {
    StarterRecord record{u"Java", u"java.exe", u""};
    std::wstring arguments, warningCaption;
    const INT_PTR result = runEdit(record, StarterKind::J2SE, {[&](DialogWindow& dialog) {
        chooseSnippet(dialog, 2);
        SendMessageW(dialog.control(IDC_STARTER_ARGUMENTS), EM_SETSEL, 0, 1);  // select the leading blank
        chooseSnippet(dialog, 2);
        arguments = dialog.text(IDC_STARTER_ARGUMENTS);
        dialog.click(IDOK);
    },
    [&](DialogWindow& box) {
        warningCaption = box.caption();
        box.click(IDOK);
    }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(warningCaption, L"Warning");
    EXPECT_EQ(arguments, L" %* %*");
    EXPECT_EQ(record.arguments, u"%* %*");  // trimming took only the first, leading blank
}

TEST(StarterEditDialog, BrowsingStartsAtTheCurrentExecutableAndCancelKeepsTheField) {
    const std::wstring folder = makeTemporaryFolder(L"starter folder");
    const std::wstring executable = folder + L"\\emulator.exe";
    CopyFileW(CommandLineRecorder::starter().c_str(), executable.c_str(), FALSE);
    StarterRecord record{u"Phone", win32::fromWide(L"  " + executable + L" "), u""};
    std::wstring title, fileName, fieldAfter;
    std::vector<std::wstring> filters;
    runEdit(record, StarterKind::J2ME,
            {[&](DialogWindow& dialog) { dialog.click(IDC_STARTER_BROWSE); },
             [&](DialogWindow& files) {
                 title = files.caption();
                 filters = files.comboItems(0x470);
                 fileName = files.text(files.hasControl(0x47c) ? 0x47c : 0x480);
                 files.click(IDCANCEL);
             },
             [&](DialogWindow& dialog) {
                 fieldAfter = dialog.text(IDC_STARTER_EXECUTABLE);
                 dialog.click(IDCANCEL);
             }});
    EXPECT_EQ(title, L"Select an Executable File");
    EXPECT_EQ(filters, (std::vector<std::wstring>{L"Executable Files and Emulators", L"Emulators (*.jar)",
                                                  L"All Files"}));
    // The dialog opened in the executable's folder with its name in the name field.
    EXPECT_TRUE(fileName == L"emulator.exe" || fileName == executable) << std::string(fileName.begin(), fileName.end());
    EXPECT_EQ(fieldAfter, L"  " + executable + L" ");
}

