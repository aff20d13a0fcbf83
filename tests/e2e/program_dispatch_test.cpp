#include <gtest/gtest.h>

#include "dialog_window.h"
#include "quillmont_program.h"
#include "remote_program.h"

using namespace quillmont::testing;

// "/setup" shows the setup dialog without owner and ends with 0 whichever
// button closes it (the first run's hint box is answered on the way).
TEST(QuillmontExe, SetupEndsWithZeroWhicheverButtonClosesIt) {
    for (int button : {IDOK, IDCANCEL}) {
        RemoteProgram program(quillmontCommandLine(L" /setup"));
        ASSERT_TRUE(program.valid());
        if (HWND hint = program.waitForDialogTitled(L"Information", 3000)) DialogWindow(hint).click(IDOK);
        HWND setup = program.waitForDialogTitled(L"Quillmont Setup");
        ASSERT_NE(setup, nullptr);
        DialogWindow window(setup);
        EXPECT_EQ(window.owner(), nullptr);
        window.click(button);
        EXPECT_EQ(program.waitForExit(), 0u) << button;
    }
}

TEST(QuillmontExe, NoArgumentOffersTheFileOpenDialogAndCancellingEndsWithOne) {
    RemoteProgram program(quillmontCommandLine(L""));
    ASSERT_TRUE(program.valid());
    HWND dialog = program.waitForDialog();
    ASSERT_NE(dialog, nullptr);
    DialogWindow window(dialog);
    EXPECT_EQ(window.caption(), L"Select a JAR or JAD File");
    EXPECT_EQ(window.owner(), nullptr);
    window.click(IDCANCEL);
    EXPECT_EQ(program.waitForExit(), 1u);
}

TEST(QuillmontExe, ProgramNameWithTrailingSpacesOnlyIsLikeNoArgument) {
    RemoteProgram program(quillmontCommandLine(L"    "));
    ASSERT_TRUE(program.valid());
    HWND dialog = program.waitForDialog();
    ASSERT_NE(dialog, nullptr);
    DialogWindow(dialog).pressEscape();
    EXPECT_EQ(program.waitForExit(), 1u);
}
