#include <gtest/gtest.h>

#include "launch_world.h"

using namespace quillmont::testing;

namespace {

// Runs Quillmont with the arguments, reads the message box it shows, presses OK
// as a user would and returns what was shown; the exit code goes to `exitCode`.
ShownMessage runToError(const std::wstring& arguments, std::optional<DWORD>& exitCode) {
    auto program = startQuillmont(arguments);
    ShownMessage shown;
    HWND box = program->waitForDialog();
    EXPECT_NE(box, nullptr) << "no message box appeared";
    if (box != nullptr) shown = readAndConfirm(box);
    exitCode = program->waitForExit();
    return shown;
}

}  // namespace

TEST(QuillmontExe, AnUnterminatedQuoteReportsAParameterErrorAndExitsWithOne) {
    std::optional<DWORD> exitCode;
    const ShownMessage shown = runToError(L" \"C:\\games\\app.jar -x", exitCode);
    expectOpeningError(shown, L"Command line parameter error.");
    EXPECT_EQ(exitCode, 1u);
}

TEST(QuillmontExe, EmptyQuotesReportAFileNameErrorAndExitWithOne) {
    std::optional<DWORD> exitCode;
    const ShownMessage shown = runToError(L" \"\"", exitCode);
    expectOpeningError(shown, L"File name error.");
    EXPECT_EQ(exitCode, 1u);
}

TEST(QuillmontExe, AQuotedFileNameWithArgumentsStillChecksTheName) {
    std::optional<DWORD> exitCode;
    const ShownMessage shown = runToError(L"\t\"\"  -Xmx64m", exitCode);
    expectOpeningError(shown, L"File name error.");
    EXPECT_EQ(exitCode, 1u);
}
