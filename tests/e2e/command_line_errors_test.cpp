#include <gtest/gtest.h>

#include "dialog_window.h"
#include "icon_capture.h"
#include "quillmont_program.h"
#include "remote_program.h"

using namespace quillmont::testing;

namespace {

struct ShownError {
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> buttons;
    std::wstring icon;
    bool owned = true;
};

// Runs Quillmont with the arguments, reads the message box it shows, presses OK
// as a user would and returns what was shown; the exit code goes to `exitCode`.
ShownError runToError(const std::wstring& arguments, std::optional<DWORD>& exitCode) {
    RemoteProgram program(quillmontCommandLine(arguments));
    EXPECT_TRUE(program.valid());
    ShownError shown;
    HWND box = program.waitForDialog();
    EXPECT_NE(box, nullptr) << "no message box appeared";
    if (box != nullptr) {
        DialogWindow window(box);
        Sleep(300);  // let the box finish painting before its icon is read off the screen
        shown = {window.caption(), window.staticTexts(), window.buttonTexts(), classifyScreenIcon(window.iconRect()),
                 window.owner() != nullptr};
        window.click(IDOK);
    }
    exitCode = program.waitForExit();
    return shown;
}

void expectOpeningError(const ShownError& shown, const std::wstring& text) {
    EXPECT_EQ(shown.caption, L"Quillmont");
    EXPECT_EQ(shown.texts, std::vector<std::wstring>{text});
    EXPECT_EQ(shown.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(shown.icon, L"error");
    EXPECT_FALSE(shown.owned);
}

}  // namespace

TEST(QuillmontExe, AnUnterminatedQuoteReportsAParameterErrorAndExitsWithOne) {
    std::optional<DWORD> exitCode;
    const ShownError shown = runToError(L" \"C:\\games\\app.jar -x", exitCode);
    expectOpeningError(shown, L"Command line parameter error.");
    EXPECT_EQ(exitCode, 1u);
}

TEST(QuillmontExe, EmptyQuotesReportAFileNameErrorAndExitWithOne) {
    std::optional<DWORD> exitCode;
    const ShownError shown = runToError(L" \"\"", exitCode);
    expectOpeningError(shown, L"File name error.");
    EXPECT_EQ(exitCode, 1u);
}

TEST(QuillmontExe, AQuotedFileNameWithArgumentsStillChecksTheName) {
    std::optional<DWORD> exitCode;
    const ShownError shown = runToError(L"\t\"\"  -Xmx64m", exitCode);
    expectOpeningError(shown, L"File name error.");
    EXPECT_EQ(exitCode, 1u);
}
