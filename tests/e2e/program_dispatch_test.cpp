#include <gtest/gtest.h>

#include "dialog_window.h"
#include "quillmont_program.h"
#include "remote_program.h"

using namespace quillmont::testing;

TEST(QuillmontExe, SetupEndsWithZero) {
    RemoteProgram program(quillmontCommandLine(L" /setup"));
    ASSERT_TRUE(program.valid());
    EXPECT_EQ(program.waitForExit(), 0u);
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
