#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "core/app/product.h"
#include "fake_shell.h"
#include "screen_pixels.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/about_dialog.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

INT_PTR runAbout(FakeShell& shell, DialogDriver::Step step, HWND owner = nullptr) {
    DialogDriver driver({std::move(step)});
    win32::AboutDialog about(shell);
    const INT_PTR result = driver.run([&] { return about.run(owner); });
    EXPECT_TRUE(driver.allStepsRan());
    EXPECT_FALSE(driver.timedOut());
    return result;
}

void pointAt(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // The move a real mouse would report; the cursor really is there, so the
    // label's leave tracking sees it inside.
    PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM((rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2));
    DialogDriver::pumpMessages(300);
}

void pointAway(HWND dialog) {
    RECT rect;
    GetWindowRect(dialog, &rect);
    SetCursorPos(rect.left + 5, rect.bottom - 5);
    DialogDriver::pumpMessages(1000);  // the system notices the mouse leaving on a timer
}

}  // namespace

TEST(AboutDialog, ShowsNameVersionAndHomePageInTabOrder) {
    FakeShell shell;
    std::vector<DialogWindow::Control> controls;
    std::wstring caption;
    const INT_PTR result = runAbout(shell, [&](DialogWindow& dialog) {
        caption = dialog.caption();
        controls = dialog.controls();
        dialog.pressEscape();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(caption, L"About");
    ASSERT_EQ(controls.size(), 6u);
    EXPECT_EQ(controls[0].id, IDOK);
    EXPECT_EQ(controls[0].text, L"OK");
    EXPECT_EQ(controls[0].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(controls[1].style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(controls[2].style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
    EXPECT_EQ(controls[3].id, IDC_ABOUT_TITLE);
    const std::u16string version = kProductVersionText;
    EXPECT_EQ(controls[3].text, L"Quillmont v" + std::wstring(version.begin(), version.end()));
    EXPECT_FALSE(controls[4].text.empty());
    EXPECT_EQ(controls[5].id, IDC_HOME_PAGE);
    EXPECT_EQ(controls[5].text, L"https://quillmont.brenwick.example/");
    EXPECT_TRUE(controls[5].style & SS_NOTIFY);
    EXPECT_TRUE(shell.openedUrls.empty());
}

TEST(AboutDialog, BothMouseButtonsOpenTheHomePageAndTheDialogStays) {
    FakeShell shell;
    bool stillOpen = false;
    const INT_PTR result = runAbout(shell, [&](DialogWindow& dialog) {
        SendMessageW(dialog.control(IDC_HOME_PAGE), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(dialog.control(IDC_HOME_PAGE), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
        stillOpen = IsWindow(dialog.handle()) && IsWindowVisible(dialog.handle());
        dialog.click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(shell.openedUrls, (std::vector<WideString>{u"https://quillmont.brenwick.example/",
                                                         u"https://quillmont.brenwick.example/"}));
}

TEST(AboutDialog, TheLinkTurnsBlueUnderTheMouseOnlyWhileEnabled) {
    FakeShell shell;
    int blueHovered = 0, blueAfterLeaving = 0, blueAfterNewText = 0, blueInLargerFont = 0, blueDisabled = 0;
    std::wstring newText;
    runAbout(shell, [&](DialogWindow& dialog) {
        HWND link = dialog.control(IDC_HOME_PAGE);
        pointAway(dialog.handle());
        pointAt(link);
        blueHovered = countScreenPixels(link, kLinkBlue);
        SetWindowTextW(link, L"Home");
        DialogDriver::pumpMessages(200);
        blueAfterNewText = countScreenPixels(link, kLinkBlue);
        newText = dialog.text(IDC_HOME_PAGE);
        pointAway(dialog.handle());
        blueAfterLeaving = countScreenPixels(link, kLinkBlue);
        // A dialog moved to a screen of another resolution gives its controls new fonts.
        LOGFONTW larger{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0)), sizeof(larger), &larger);
        larger.lfHeight *= 2;
        HFONT font = CreateFontIndirectW(&larger);
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        pointAt(link);
        blueInLargerFont = countScreenPixels(link, kLinkBlue);
        pointAway(dialog.handle());
        EnableWindow(link, FALSE);
        pointAt(link);
        blueDisabled = countScreenPixels(link, kLinkBlue);
        SendMessageW(link, WM_SETFONT, 0, FALSE);
        DeleteObject(font);
        dialog.click(IDOK);
    });
    EXPECT_GT(blueHovered, 20);
    EXPECT_GT(blueAfterNewText, 0);  // the new, shorter text, still in the hover style
    EXPECT_LT(blueAfterNewText, blueHovered);
    EXPECT_EQ(newText, L"Home");
    EXPECT_EQ(blueAfterLeaving, 0);
    EXPECT_GT(blueInLargerFont, blueAfterNewText * 3 / 2);
    EXPECT_EQ(blueDisabled, 0);
}

TEST(AboutDialog, TheHandCursorShowsOverTheLink) {
    FakeShell shell;
    HCURSOR overLink = nullptr;
    runAbout(shell, [&](DialogWindow& dialog) {
        pointAt(dialog.control(IDC_HOME_PAGE));
        overLink = GetCursor();
        dialog.click(IDOK);
    });
    EXPECT_NE(overLink, nullptr);
    EXPECT_NE(overLink, LoadCursorW(nullptr, IDC_ARROW));
}

TEST(AboutDialog, CentresOnTheWorkAreaWithoutOwnerAndOverAVisibleOwner) {
    FakeShell shell;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT alone{};
    runAbout(shell, [&](DialogWindow& dialog) {
        GetWindowRect(dialog.handle(), &alone);
        dialog.click(IDOK);
    });
    EXPECT_NEAR((alone.left + alone.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((alone.top + alone.bottom) / 2, (work.top + work.bottom) / 2, 1);

    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, 100, 120, 500, 400,
                                 nullptr, nullptr, nullptr, nullptr);
    RECT owned{};
    runAbout(
        shell,
        [&](DialogWindow& dialog) {
            GetWindowRect(dialog.handle(), &owned);
            dialog.click(IDOK);
        },
        owner);
    EXPECT_NEAR((owned.left + owned.right) / 2, 350, 1);
    EXPECT_NEAR((owned.top + owned.bottom) / 2, 320, 1);

    // An owner near the corner: the dialog stays inside the work area.
    SetWindowPos(owner, nullptr, work.right - 60, work.bottom - 40, 50, 30, SWP_NOZORDER);
    RECT cornered{};
    runAbout(
        shell,
        [&](DialogWindow& dialog) {
            GetWindowRect(dialog.handle(), &cornered);
            dialog.click(IDOK);
        },
        owner);
    EXPECT_LE(cornered.right, work.right);
    EXPECT_LE(cornered.bottom, work.bottom);
    EXPECT_GE(cornered.left, work.left);
    DestroyWindow(owner);
}
