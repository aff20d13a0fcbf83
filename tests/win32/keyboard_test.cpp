// Every dialog used without a mouse: the keys go through the system's input queue
// and each dialog's own modal loop turns them into focus moves and commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/starters/settings_store.h"
#include "core/update/update_checker.h"
#include "dialog_driver.h"
#include "dialog_ports.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/about_dialog.h"
#include "win32/ui/jad_size_dialog.h"
#include "win32/ui/selection_dialog.h"
#include "win32/ui/setup_dialog.h"
#include "win32/ui/starter_edit_dialog.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

using Step = DialogDriver::Step;
const auto keys = DialogDriver::keys;

// A request that takes three seconds: the update dialog stays up meanwhile.
struct SlowService final : HttpClient, HttpSession {
    std::unique_ptr<HttpSession> openSession(const WideString&) override { return std::make_unique<SlowService>(); }
    std::unique_ptr<HttpBody> get(const WideString&, const WideString&) override { return Sleep(3000), nullptr; }
};

// The dialogs' world: a starter of each kind, the J2SE one preselected, three proposals.
struct Program {
    DialogPorts ports;
    SettingsStore store{ports.registry};
    std::vector<DetectedStarter> detected = std::vector<DetectedStarter>(3);
    StarterRecord record{u"java", u"C:\\java\\bin\\javaw.exe", u"-jar %1"};
    SlowService slow;
    UpdateChecker checker{slow, ports.environment, 0x01020000, u"http://127.0.0.1:9/update/1/", u"program"};

    Program() {
        store.list(StarterKind::J2SE).placeRecord(1, record);
        store.list(StarterKind::J2SE).setDefaultAction(1);
        store.list(StarterKind::J2ME).placeRecord(1, {u"phone", u"C:\\wtk\\bin\\emulator.exe", u"-Xdescriptor:%1"});
        store.save();
        for (char16_t i = 0; i < 3; ++i) detected[i].starter.name = WideString(1, static_cast<char16_t>(u'A' + i));
    }
    bool select(StarterKind kind) {
        win32::SelectionDialog dialog(kind, store, ports.platform, ports.scanDialogs, ports.updateDialogs);
        return dialog.run(nullptr).result == DialogResult::Ok;
    }
};

Step record(int& focused) {
    return [&focused](DialogWindow&) {
        focused = GetDlgCtrlID(GetFocus());
        DialogDriver::stayOnThisDialog();
    };
}

// The mnemonic letters of the buttons and labels, in tab order, as the dialog manager reads them.
std::wstring mnemonicsOf(const DialogWindow& dialog) {
    std::wstring letters;
    for (const DialogWindow::Control& c : dialog.controls()) {
        const bool label = _wcsicmp(c.className.c_str(), L"Static") == 0 && !(c.style & SS_NOPREFIX);
        const std::wstring text = c.text + L' ';
        std::size_t at = text.find(L'&');
        while (at != std::wstring::npos && text[at + 1] == L'&') at = text.find(L'&', at + 2);  // "&&" is a '&'
        if ((label || _wcsicmp(c.className.c_str(), L"Button") == 0) && at != std::wstring::npos)
            letters.push_back(static_cast<wchar_t>(towupper(text[at + 1])));
    }
    return letters;
}

struct Case {
    const char* dialog;
    std::function<bool(Program&)> open;  // true when the dialog was accepted
    std::vector<int> tabOrder;           // from the control that has the focus when the dialog opens
    std::wstring mnemonics;
    std::vector<std::pair<WORD, int>> labels;  // the letter of a label or group box: the control it focuses
    bool enterAccepts = true;
    std::function<void(DialogWindow&)> prepare = [](DialogWindow&) {};  // enables what is disabled at first
};

const std::vector<int> kEditOrder = {IDC_STARTER_NAME,      IDC_STARTER_EXECUTABLE, IDC_STARTER_BROWSE,
                                     IDC_STARTER_ARGUMENTS, IDC_STARTER_SNIPPETS,   IDOK, IDCANCEL};
const std::vector<int> kJ2meEditOrder = {IDC_STARTER_NAME,     IDC_STARTER_EXECUTABLE, IDC_STARTER_BROWSE, IDC_STARTER_ARGUMENTS,
                                         IDC_STARTER_SNIPPETS, IDC_STARTER_FOLDER,     IDOK,               IDCANCEL};

const std::vector<Case> kCases = {
    {"setup",
     [](Program& p) {
         return win32::SetupDialog(p.store, p.ports.platform, p.ports.scanDialogs, p.ports.updateDialogs)
                    .run(nullptr) == IDOK;
     },
     {IDC_J2SE_LIST, IDC_J2SE_SCAN, IDC_J2SE_ADD, IDC_J2SE_COPY, IDC_J2SE_EDIT, IDC_J2SE_DELETE, IDC_J2SE_ACTION,
      IDC_J2ME_LIST, IDC_J2ME_SCAN, IDC_J2ME_ADD, IDC_J2ME_COPY, IDC_J2ME_EDIT, IDC_J2ME_DELETE, IDC_J2ME_ACTION,
      IDC_ABOUT_LINK, IDC_UPDATE_LINK, IDC_ASSOCIATIONS_LINK, IDOK, IDCANCEL},
     L"JSACELRMNDPITOBUF",
     {{'J', IDC_J2SE_LIST}, {'R', IDC_J2SE_ACTION}, {'M', IDC_J2ME_LIST}, {'O', IDC_J2ME_ACTION}}, true,
     [](DialogWindow& d) {
         d.selectListItem(IDC_J2SE_LIST, 0);
         d.selectListItem(IDC_J2ME_LIST, 0);
     }},
    {"J2SE starter",
     [](Program& p) { return win32::StarterEditDialog(p.record, StarterKind::J2SE, p.ports.ui).run(nullptr) == IDOK; },
     kEditOrder, L"NEA", {{'A', IDC_STARTER_ARGUMENTS}, {'E', IDC_STARTER_EXECUTABLE}, {'N', IDC_STARTER_NAME}}},
    {"J2ME starter",
     [](Program& p) { return win32::StarterEditDialog(p.record, StarterKind::J2ME, p.ports.ui).run(nullptr) == IDOK; },
     kJ2meEditOrder, L"NEAS", {{'A', IDC_STARTER_ARGUMENTS}, {'S', IDC_STARTER_FOLDER}}},
    {"About", [](Program& p) { return win32::AboutDialog(p.ports.shell).run(nullptr) == IDOK; },
     {IDOK, IDC_HOME_PAGE}, L"", {}},
    {"J2SE selection", [](Program& p) { return p.select(StarterKind::J2SE); },
     {IDC_SELECT_LIST, IDOK, IDCANCEL, IDC_SELECT_SETUP, IDC_ABOUT_LINK, IDC_UPDATE_LINK}, L"SAU", {}},
    // Nothing is preselected: Tab passes over the disabled OK, and Enter does nothing.
    {"J2ME selection", [](Program& p) { return p.select(StarterKind::J2ME); },
     {IDC_SELECT_LIST, IDCANCEL, IDC_SELECT_SETUP, IDC_ABOUT_LINK, IDC_UPDATE_LINK}, L"SAU", {}, false},
    {"size",
     [](Program&) { return win32::JadSizeDialog(4321, 99).run(nullptr) == JadSizeAnswer::CorrectThisFile; },
     {IDOK, IDC_SIZE_TEMPORARY, IDCANCEL}, L"CT", {}},
    {"scan results", [](Program& p) { return p.ports.scanDialogs.runResults(kNoWindow, u"Found", p.detected); },
     {IDC_SCAN_LIST, IDC_SCAN_CHECK_ALL, IDC_SCAN_UNCHECK_ALL, IDC_SCAN_SHOW_NONMAIN, IDOK, IDCANCEL}, L"CUSA", {},
     true, [](DialogWindow& d) { d.checkListViewItem(IDC_SCAN_LIST, 1, true); }},
    // Cancel is the default button.
    {"update check", [](Program& p) { return p.ports.updateDialogs.runUpdateCheck(kNoWindow, p.checker).result != 2; },
     {IDCANCEL}, L"", {}, false},
};

}  // namespace

// Tab visits the controls in the order of the layout and comes back round, Shift+Tab
// goes back, no mnemonic letter is used twice, a label's reaches the control after
// it, Esc cancels; and Enter presses the default button unless it is disabled.
TEST(Keyboard, TabOrderMnemonicsAndEnterInEveryDialog) {
    for (const Case& c : kCases) {
        Program program;
        std::wstring mnemonics;
        std::vector<int> visited(c.tabOrder.size() + 1), reached(c.labels.size()), targets;
        int back = 0;
        std::vector<Step> steps = {[&](DialogWindow& d) {
            mnemonics = mnemonicsOf(d);
            c.prepare(d);
            DialogDriver::stayOnThisDialog();
        }};
        for (int& focused : visited) steps.insert(steps.end(), {record(focused), keys({VK_TAB})});
        steps.back() = keys({VK_SHIFT, VK_TAB});
        steps.push_back(record(back));
        for (std::size_t i = 0; i < c.labels.size(); ++i) {
            steps.insert(steps.end(), {keys({VK_MENU, c.labels[i].first}), record(reached[i])});
            targets.push_back(c.labels[i].second);
        }
        const Step prepare = steps.front();
        steps.push_back(keys({VK_ESCAPE}));
        DialogDriver walk(std::move(steps));
        EXPECT_FALSE(walk.run([&] { return c.open(program); })) << c.dialog;
        EXPECT_TRUE(walk.allStepsRan()) << c.dialog;
        DialogDriver enter({prepare, keys({VK_RETURN}), keys({VK_ESCAPE})});
        EXPECT_EQ(enter.run([&] { return c.open(program); }), c.enterAccepts) << c.dialog;

        std::vector<int> round = c.tabOrder;
        round.push_back(c.tabOrder.front());
        EXPECT_EQ(visited, round) << c.dialog;
        EXPECT_EQ(back, c.tabOrder.back()) << c.dialog;
        EXPECT_EQ(mnemonics, c.mnemonics) << c.dialog;
        std::sort(mnemonics.begin(), mnemonics.end());
        EXPECT_EQ(std::adjacent_find(mnemonics.begin(), mnemonics.end()), mnemonics.end()) << c.dialog;
        EXPECT_EQ(reached, targets) << c.dialog;
    }
}

// The list has the focus first: Space ticks the row with the focus, the arrows move
// it; the check box's and Add Checked's letters press them.
TEST(Keyboard, SpaceTicksScanRowsAndLettersPressTheButtons) {
    Program program;
    program.detected[0].main = false;  // the second row once nonmain rows are shown
    std::vector<std::vector<bool>> ticks;
    const Step look = [&](DialogWindow& d) {
        ticks.push_back(d.listViewChecks(IDC_SCAN_LIST));
        DialogDriver::stayOnThisDialog();
    };
    const Step back = keys({VK_SHIFT, VK_TAB});  // from the check box to the list
    DialogDriver driver({keys({VK_MENU, 'S'}), back, back, back, keys({VK_SPACE}), look, keys({VK_DOWN}),
                         keys({VK_SPACE}), look, keys({VK_MENU, 'A'})});
    EXPECT_TRUE(driver.run([&] { return program.ports.scanDialogs.runResults(kNoWindow, u"", program.detected); }));
    EXPECT_EQ(ticks, (std::vector<std::vector<bool>>{{true, false, false}, {true, true, false}}));
    EXPECT_TRUE(program.detected[0].checked && program.detected[1].checked && !program.detected[2].checked);
}

// A link is reached by its letter or by Tab; Enter and Space follow it, and the dialog stays.
TEST(Keyboard, LinksFollowTheirLetterEnterAndSpace) {
    Program program;
    std::wstring caption;
    DialogDriver driver({keys({VK_MENU, 'A'}),  // About Quillmont...
                         [&](DialogWindow& about) {
                             caption = about.caption();
                             DialogDriver::pressKeys({VK_TAB});  // from OK to the home page
                             DialogDriver::stayOnThisDialog();
                         },
                         keys({VK_RETURN}), keys({VK_SPACE}), keys({VK_ESCAPE}), keys({VK_ESCAPE})});
    EXPECT_FALSE(driver.run([&] { return program.select(StarterKind::J2SE); }));
    EXPECT_TRUE(driver.allStepsRan());
    EXPECT_EQ(caption, L"About");
    EXPECT_EQ(program.ports.shell.openedUrls.size(), 2u);
}
