#include <gtest/gtest.h>

#include <stdexcept>

#include "dialog_driver.h"
#include "icon_capture.h"
#include "win32/platform/wide_text.h"
#include "win32/ui/escaped_exception.h"
#include "win32/ui/win32_user_interface.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

struct Seen {
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> buttons;
    HICON icon = nullptr;
    HWND owner = nullptr;
};

// Shows one box, records what it shows and presses the button with `pressId`.
MessageAnswer showAndPress(MessageKind kind, int pressId, Seen& seen) {
    DialogDriver driver({[&](DialogWindow& box) {
        seen = {box.caption(), box.staticTexts(), box.buttonTexts(), box.icon(), box.owner()};
        box.click(pressId);
    }});
    win32::Win32UserInterface ui;
    const MessageAnswer answer = driver.run([&] { return ui.showMessage(kNoWindow, u"Something happened.", kind); });
    EXPECT_TRUE(driver.allStepsRan());
    EXPECT_FALSE(driver.timedOut());
    return answer;
}

}  // namespace

TEST(MessageBoxes, EachKindHasItsTitleIconAndButtons) {
    struct Case {
        MessageKind kind;
        const wchar_t* title;
        LPCWSTR icon;  // null: no icon
        std::vector<std::wstring> buttons;
        int press;
        MessageAnswer answer;
    };
    const std::vector<Case> cases = {
        {MessageKind::OpeningError, L"Quillmont", IDI_ERROR, {L"OK"}, IDOK, MessageAnswer::Ok},
        {MessageKind::ValidationError, L"Error", IDI_ERROR, {L"OK"}, IDOK, MessageAnswer::Ok},
        {MessageKind::Warning, L"Warning", IDI_WARNING, {L"OK", L"Cancel"}, IDCANCEL, MessageAnswer::Cancel},
        {MessageKind::OpeningOffer, L"Quillmont", IDI_WARNING, {L"&Yes", L"&No", L"Cancel"}, IDCANCEL,
         MessageAnswer::Cancel},
        {MessageKind::Confirmation, L"Confirmation", IDI_QUESTION, {L"&Yes", L"&No"}, IDNO, MessageAnswer::No},
        {MessageKind::Confirmation, L"Confirmation", IDI_QUESTION, {L"&Yes", L"&No"}, IDYES, MessageAnswer::Yes},
        {MessageKind::Information, L"Information", IDI_INFORMATION, {L"OK"}, IDOK, MessageAnswer::Ok},
        {MessageKind::Complete, L"Complete", nullptr, {L"OK"}, IDOK, MessageAnswer::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Seen seen;
        EXPECT_EQ(showAndPress(c.kind, c.press, seen), c.answer);
        EXPECT_EQ(seen.caption, c.title);
        EXPECT_EQ(seen.texts, std::vector<std::wstring>{L"Something happened."});
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.owner, nullptr);
        if (c.icon != nullptr) {
            EXPECT_EQ(seen.icon, LoadIconW(nullptr, c.icon));
        } else {
            EXPECT_EQ(seen.icon, nullptr);
        }
    }
}

TEST(MessageBoxes, AnOwnedBoxIsOwnedByItsWindow) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    HWND seenOwner = nullptr;
    DialogDriver driver({[&](DialogWindow& box) {
        seenOwner = box.owner();
        box.pressEscape();
    }});
    win32::Win32UserInterface ui;
    const MessageAnswer answer = driver.run([&] {
        return ui.showMessage(reinterpret_cast<WindowRef>(owner), u"Sure?", MessageKind::Warning);
    });
    EXPECT_EQ(seenOwner, owner);
    EXPECT_EQ(answer, MessageAnswer::Cancel);  // Esc acts as Cancel
    DestroyWindow(owner);
}

// The end-to-end tests read another process's icon off the screen; this proves
// that reading on boxes whose icon is known.
TEST(MessageBoxes, TheScreenIconReaderTellsTheIconsApart) {
    const std::vector<std::pair<MessageKind, std::wstring>> cases = {{MessageKind::OpeningError, L"error"},
                                                                     {MessageKind::Warning, L"warning"},
                                                                     {MessageKind::Information, L"information"},
                                                                     {MessageKind::Confirmation, L"question"}};
    for (const auto& [kind, expected] : cases) {
        std::wstring seen;
        DialogDriver driver({[&](DialogWindow& box) {
            UpdateWindow(box.handle());
            Sleep(300);
            seen = classifyScreenIcon(box.iconRect());
            box.pressEscape();
            if (kind == MessageKind::Confirmation || kind == MessageKind::OpeningError ||
                kind == MessageKind::Information)
                box.click(box.hasControl(IDNO) ? IDNO : IDOK);
        }});
        win32::Win32UserInterface ui;
        driver.run([&] { return ui.showMessage(kNoWindow, u"Which icon?", kind); });
        EXPECT_EQ(seen, expected);
    }
}

// Whatever escapes the run ends in one box that says why, and in exit code 1; a
// reason too long for the box's text is cut, not written past it.
TEST(MessageBoxes, AnEscapedExceptionSaysWhyQuillmontCouldNotFinish) {
    const std::wstring because = L"Quillmont could not finish: ";
    const std::pair<std::exception_ptr, std::wstring> cases[] = {
        {std::make_exception_ptr(std::bad_alloc()), because + L"there is not enough memory."},
        {std::make_exception_ptr(std::runtime_error("the registry is gone")), because + L"the registry is gone"},
        {std::make_exception_ptr(std::length_error(std::string(1000, 'x'))), because + std::wstring(400, L'x')},
        {std::make_exception_ptr(42), because + L"an unexpected error occurred."},
    };
    for (const auto& [error, text] : cases) {
        Seen seen;
        DialogDriver driver({[&](DialogWindow& box) {
            seen = {box.caption(), box.staticTexts(), box.buttonTexts(), box.icon(), box.owner()};
            box.click(IDOK);
        }});
        EXPECT_EQ(driver.run([&] { return win32::reportEscapedException(error); }), 1);
        EXPECT_TRUE(driver.allStepsRan());
        EXPECT_EQ(seen.caption, L"Quillmont");
        EXPECT_EQ(seen.texts, std::vector<std::wstring>{text});
        EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
        EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_ERROR));
        EXPECT_EQ(seen.owner, nullptr);
    }
}
