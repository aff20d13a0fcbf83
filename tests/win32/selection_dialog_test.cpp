#include <gtest/gtest.h>

#include "core/starters/settings_store.h"
#include "dialog_driver.h"
#include "core/app/product.h"
#include "dialog_ports.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/jad_size_dialog.h"
#include "win32/ui/selection_dialog.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

struct SelectionRun {
    DialogPorts ports;
    SettingsStore store{ports.registry};
    StarterKind kind = StarterKind::J2SE;

    void add(int slot, const WideString& name) {
        store.list(kind).placeRecord(slot, {name, u"C:\\java\\bin\\java.exe", u"-jar %1"});
    }
    void actions(std::int32_t defaultAction, std::int32_t lastAction) {
        store.list(kind).setDefaultAction(defaultAction);
        store.list(kind).setLastAction(lastAction);
    }

    StarterSelection run(std::vector<DialogDriver::Step> steps) {
        store.save();
        DialogDriver driver(std::move(steps));
        win32::SelectionDialog dialog(kind, store, ports.platform, ports.scanDialogs, ports.updateDialogs);
        const StarterSelection result = driver.run([&] { return dialog.run(nullptr); });
        EXPECT_TRUE(driver.allStepsRan()) << driver.stepsRun() << " steps ran";
        EXPECT_FALSE(driver.timedOut());
        return result;
    }
};

std::wstring selectedItem(DialogWindow& dialog) {
    const int at = dialog.listSelection(IDC_SELECT_LIST);
    return at < 0 ? L"<none>" : dialog.listItems(IDC_SELECT_LIST)[static_cast<std::size_t>(at)];
}

}  // namespace

TEST(SelectionDialog, StartersAreSortedByNameAndOkGivesTheChosenSlot) {
    SelectionRun selection;
    selection.add(1, u"beta");
    selection.add(2, u"Alpha");
    selection.add(3, u"gamma");
    std::vector<std::wstring> items;
    std::wstring caption, preselected;
    bool okEnabledAtFirst = true, okEnabledAfterChoice = false;
    const StarterSelection result = selection.run({[&](DialogWindow& dialog) {
        caption = dialog.caption();
        items = dialog.listItems(IDC_SELECT_LIST);
        preselected = selectedItem(dialog);
        okEnabledAtFirst = dialog.isEnabled(IDOK);
        dialog.selectListItem(IDC_SELECT_LIST, 1);  // beta
        DialogDriver::pumpMessages(100);
        okEnabledAfterChoice = dialog.isEnabled(IDOK);
        dialog.click(IDOK);
    }});
    EXPECT_EQ(caption, L"J2SE Starter Select");
    EXPECT_EQ(items, (std::vector<std::wstring>{L"Alpha", L"beta", L"gamma"}));
    EXPECT_EQ(preselected, L"<none>");
    EXPECT_FALSE(okEnabledAtFirst);
    EXPECT_TRUE(okEnabledAfterChoice);
    EXPECT_EQ(result.result, DialogResult::Ok);
    EXPECT_EQ(result.slot, 1);
}

// Names added later in front of the preselected one must not move the selection.
TEST(SelectionDialog, ThePreselectionSurvivesSortingAndFollowsTheActions) {
    struct Case {
        std::int32_t defaultAction, lastAction;
        const wchar_t* expected;
    };
    for (const Case& c : {Case{1, 0, L"zeta"}, Case{0, 1, L"zeta"}, Case{-1, 3, L"alpha"}, Case{-1, 0, L"<none>"},
                          Case{9, 0, L"<none>"}, Case{2, 3, L"middle"}}) {
        SelectionRun selection;
        selection.add(1, u"zeta");
        selection.add(2, u"middle");
        selection.add(3, u"alpha");
        selection.actions(c.defaultAction, c.lastAction);
        std::wstring preselected;
        bool okEnabled = false;
        const StarterSelection result = selection.run({[&](DialogWindow& dialog) {
            preselected = selectedItem(dialog);
            okEnabled = dialog.isEnabled(IDOK);
            dialog.click(IDOK);
        }});
        EXPECT_EQ(preselected, c.expected) << c.defaultAction << " " << c.lastAction;
        EXPECT_EQ(okEnabled, preselected != L"<none>");
        if (preselected != L"<none>") {
            EXPECT_EQ(result.result, DialogResult::Ok);
        }
    }
}

TEST(SelectionDialog, DoubleClickChoosesAndEveryWayOfCancellingGivesNoSlot) {
    SelectionRun selection;
    selection.kind = StarterKind::J2ME;
    selection.add(4, u"emulator");
    selection.add(5, u"another");
    selection.actions(4, 0);
    std::wstring caption;
    StarterSelection chosen = selection.run({[&](DialogWindow& dialog) {
        caption = dialog.caption();
        dialog.doubleClickListItem(IDC_SELECT_LIST, 0);  // another
    }});
    EXPECT_EQ(caption, L"J2ME Starter Select");
    EXPECT_EQ(chosen.result, DialogResult::Ok);
    EXPECT_EQ(chosen.slot, 5);

    for (auto cancel : {std::function<void(DialogWindow&)>([](DialogWindow& d) { d.click(IDCANCEL); }),
                        std::function<void(DialogWindow&)>([](DialogWindow& d) { d.pressEscape(); }),
                        std::function<void(DialogWindow&)>([](DialogWindow& d) { d.closeBox(); })}) {
        const StarterSelection cancelled = selection.run({cancel});
        EXPECT_EQ(cancelled.result, DialogResult::Cancel);
        EXPECT_EQ(cancelled.slot, 0);
    }
}

TEST(SelectionDialog, SetupRefillsTheListAfterOkAndKeepsItAfterCancel) {
    SelectionRun selection;
    selection.add(1, u"old java");
    selection.add(2, u"other java");
    selection.actions(1, 2);
    std::vector<std::wstring> before, afterDelete;
    std::wstring preselectedAfterDelete;
    selection.run({[&](DialogWindow& dialog) {
                       before = dialog.listItems(IDC_SELECT_LIST);
                       dialog.click(IDC_SELECT_SETUP);
                   },
                   [&](DialogWindow& setup) {
                       EXPECT_EQ(setup.caption(), L"Quillmont Setup");
                       setup.selectListItem(IDC_J2SE_LIST, 0);  // "old java", the default
                       DialogDriver::pumpMessages(100);
                       setup.click(IDC_J2SE_DELETE);
                   },
                   [&](DialogWindow& warning) { warning.click(IDOK); },
                   [&](DialogWindow& setup) { setup.click(IDOK); },
                   [&](DialogWindow& dialog) {
                       afterDelete = dialog.listItems(IDC_SELECT_LIST);
                       preselectedAfterDelete = selectedItem(dialog);
                       dialog.click(IDCANCEL);
                   }});
    EXPECT_EQ(before, (std::vector<std::wstring>{L"old java", L"other java"}));
    EXPECT_EQ(afterDelete, std::vector<std::wstring>{L"other java"});
    // The deleted default fell back to asking; LastAction still names starter 2.
    EXPECT_EQ(preselectedAfterDelete, L"other java");
}

TEST(SelectionDialog, ControlsComeInTheirTabOrderAndTheLinksOpenTheUpdateCheckAndTheAboutDialog) {
    SelectionRun selection;
    selection.add(1, u"java");
    // The product's service answers that this is the latest version.
    selection.ports.http.answer(std::u16string(kUpdateServiceUrl) + u"?version=1.2.0.0&source=program",
                               "*AQQAAAAAAAIBAyYAAABodHRwczovL3F1aWxsbW9udC50ZXN0L25ldz9mcm9tPXVwZGF0ZQ==");
    std::vector<DialogWindow::Control> controls;
    HWND selectionWindow = nullptr, aboutOwner = nullptr, checkOwner = nullptr, answerOwner = nullptr;
    std::wstring checkCaption;
    std::vector<std::wstring> answer;
    HICON bigIcon = nullptr, smallIcon = nullptr;
    std::wstring aboutCaption;
    selection.run({[&](DialogWindow& dialog) {
                       selectionWindow = dialog.handle();
                       controls = dialog.controls();
                       bigIcon = reinterpret_cast<HICON>(SendMessageW(dialog.handle(), WM_GETICON, ICON_BIG, 0));
                       smallIcon = reinterpret_cast<HICON>(SendMessageW(dialog.handle(), WM_GETICON, ICON_SMALL, 0));
                       PostMessageW(dialog.control(IDC_UPDATE_LINK), WM_LBUTTONDOWN, MK_LBUTTON, 0);
                   },
                   [&](DialogWindow& checking) {
                       checkCaption = checking.caption();
                       checkOwner = checking.owner();
                   },
                   [&](DialogWindow& box) {
                       answer = box.staticTexts();
                       answerOwner = box.owner();
                       box.click(IDOK);
                   },
                   [&](DialogWindow& dialog) {
                       PostMessageW(dialog.control(IDC_ABOUT_LINK), WM_LBUTTONDOWN, MK_LBUTTON, 0);
                   },
                   [&](DialogWindow& about) {
                       aboutCaption = about.caption();
                       aboutOwner = about.owner();
                       about.click(IDOK);
                   },
                   [&](DialogWindow& dialog) { dialog.click(IDCANCEL); }});
    const std::vector<std::pair<int, std::wstring>> expected = {
        {IDC_SELECT_LIST, L""}, {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {IDC_SELECT_SETUP, L"&Setup"},
        {IDC_ABOUT_LINK, L"&About Quillmont..."}, {IDC_UPDATE_LINK, L"Check for &Updates..."}};
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(controls[i].id, expected[i].first) << i;
        EXPECT_EQ(controls[i].text, expected[i].second) << i;
    }
    EXPECT_TRUE(controls[0].style & LBS_SORT);
    EXPECT_TRUE(controls[0].style & LBS_NOTIFY);
    EXPECT_FALSE(controls[0].style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    EXPECT_EQ(controls[1].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_NE(bigIcon, nullptr);
    EXPECT_NE(smallIcon, nullptr);
    EXPECT_EQ(aboutCaption, L"About");
    EXPECT_EQ(aboutOwner, selectionWindow);
    EXPECT_EQ(checkCaption, L"Checking for Updates");
    EXPECT_EQ(checkOwner, selectionWindow);
    EXPECT_EQ(answer, std::vector<std::wstring>{L"This is the latest version of the program."});
    EXPECT_EQ(answerOwner, selectionWindow);
}

TEST(JadSizeDialog, ShowsBothSizesAndAnswersWithTheButtonPressed) {
    struct Case {
        std::function<void(DialogWindow&)> press;
        JadSizeAnswer expected;
    };
    const Case cases[] = {
        {[](DialogWindow& d) { d.click(IDOK); }, JadSizeAnswer::CorrectThisFile},
        {[](DialogWindow& d) { d.click(IDC_SIZE_TEMPORARY); }, JadSizeAnswer::CreateTemporaryFile},
        {[](DialogWindow& d) { d.click(IDCANCEL); }, JadSizeAnswer::Cancel},
        {[](DialogWindow& d) { d.pressEscape(); }, JadSizeAnswer::Cancel},
        {[](DialogWindow& d) { d.closeBox(); }, JadSizeAnswer::Cancel},
    };
    for (const Case& c : cases) {
        std::wstring caption, text;
        std::vector<DialogWindow::Control> controls;
        HICON bigIcon = nullptr;
        DialogDriver driver({[&](DialogWindow& dialog) {
            caption = dialog.caption();
            text = dialog.text(IDC_SIZE_TEXT);
            controls = dialog.controls();
            bigIcon = reinterpret_cast<HICON>(SendMessageW(dialog.handle(), WM_GETICON, ICON_BIG, 0));
            c.press(dialog);
        }});
        const JadSizeAnswer answer = driver.run([] { return win32::JadSizeDialog(93739, 4294967295u).run(nullptr); });
        EXPECT_TRUE(driver.allStepsRan());
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(caption, L"Quillmont");
        EXPECT_EQ(text, L"The size of the JAR file differs from that in the JAD file.\n"
                        L"The JAR file size is 93739 bytes.\n"
                        L"The \"MIDlet-Jar-Size\" attribute is 4294967295 bytes in the JAD file.");
        ASSERT_EQ(controls.size(), 5u);
        const std::pair<int, const wchar_t*> expected[] = {{IDOK, L"&Correct this JAD file"},
                                                           {IDC_SIZE_TEMPORARY, L"Create a &temporary JAD file"},
                                                           {IDCANCEL, L"Cancel"}, {IDC_SIZE_TEXT, nullptr},
                                                           {-1, L"Warning"}};
        for (std::size_t i = 0; i < 5; ++i) {
            if (expected[i].first != -1) {
                EXPECT_EQ(controls[i].id, expected[i].first) << i;
            }
            if (expected[i].second != nullptr) {
                EXPECT_EQ(controls[i].text, expected[i].second) << i;
            }
        }
        EXPECT_EQ(controls[0].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
        EXPECT_EQ(controls[4].style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
        EXPECT_EQ(controls[4].style & BS_CENTER, static_cast<DWORD>(BS_CENTER));
        EXPECT_NE(bigIcon, nullptr);
    }
}
