#include <gtest/gtest.h>

#include "dialog_driver.h"

using namespace quillmont::testing;

// The driver must never let a forgotten dialog hang the run.
TEST(DialogDriver, ADialogNobodyAnswersIsCancelledAtTheTimeout) {
    DialogDriver driver({}, 500);
    const int pressed = driver.run([] { return MessageBoxW(nullptr, L"waiting", L"Quillmont", MB_OKCANCEL); });
    EXPECT_TRUE(driver.timedOut());
    EXPECT_EQ(pressed, IDCANCEL);
}

TEST(DialogDriver, StepsAnswerOneDialogAfterAnother) {
    std::vector<std::wstring> captions;
    DialogDriver driver({[&](DialogWindow& outer) {
                             captions.push_back(outer.caption());
                             outer.click(IDYES);  // the code then opens the next box
                         },
                         [&](DialogWindow& inner) {
                             captions.push_back(inner.caption());
                             inner.click(IDOK);
                         }});
    const int result = driver.run([] {
        const int first = MessageBoxW(nullptr, L"outer", L"Outer", MB_YESNO);
        return first == IDYES ? MessageBoxW(nullptr, L"inner", L"Inner", MB_OK) : first;
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Outer", L"Inner"}));
    EXPECT_FALSE(driver.timedOut());
}
