#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "dialog_driver.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/scan_progress_dialog.h"
#include "win32/ui/win32_scan_dialogs.h"
#include "win32/ui/window_ref.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

// Proposals in an order unlike the list's: shown by default are the main ones that
// are not configured yet (Zulu, JRE, Corretto), sorted by name.
std::vector<DetectedStarter> proposals() {
    struct Row {
        const char16_t* name;
        const char16_t* executable;
        const char16_t* arguments;
        bool main, configured;
    };
    const Row rows[] = {
        {u"Zulu 17 (GUI)", u"C:\\zulu17\\bin\\javaw.exe", u"-jar %1 %*", true, false},
        {u"JRE 1.8.0_202 (GUI)", u"C:\\Program Files\\Java\\jre1.8.0_202\\bin\\javaw.exe", u"-jar %1", true, false},
        {u"JDK 1.8.0_202 (GUI)", u"C:\\Program Files\\Java\\jdk1.8.0_202\\bin\\javaw.exe", u"-jar %1", false, false},
        {u"Azul 11 (Console)", u"C:\\azul11\\bin\\java.exe", u"-jar %1 %*", true, true},
        {u"Corretto 21 (GUI)", u"C:\\corretto21\\bin\\javaw.exe", u"-Xmx1g -jar %1 %*", true, false},
    };
    std::vector<DetectedStarter> detected;
    for (const Row& row : rows) {
        DetectedStarter proposal;
        proposal.starter.name = row.name;
        proposal.starter.executableFile = row.executable;
        proposal.starter.arguments = row.arguments;
        proposal.main = row.main;
        proposal.configured = row.configured;
        detected.push_back(proposal);
    }
    return detected;
}

const std::vector<std::wstring> kDefaultRows = {L"Corretto 21 (GUI)", L"JRE 1.8.0_202 (GUI)", L"Zulu 17 (GUI)"};
const std::vector<std::wstring> kAllRows = {L"Azul 11 (Console)", L"Corretto 21 (GUI)", L"JDK 1.8.0_202 (GUI)",
                                            L"JRE 1.8.0_202 (GUI)", L"Zulu 17 (GUI)"};

std::vector<bool> checkedFlags(const std::vector<DetectedStarter>& detected) {
    std::vector<bool> flags;
    for (const DetectedStarter& proposal : detected) flags.push_back(proposal.checked);
    return flags;
}

struct ResultsRun {
    std::vector<DetectedStarter> detected = proposals();
    win32::Win32ScanDialogs dialogs;

    bool run(std::vector<DialogDriver::Step> steps, HWND owner = nullptr) {
        DialogDriver driver(std::move(steps));
        const bool added =
            driver.run([&] { return dialogs.runResults(win32::toWindowRef(owner), u"Detected J2SE Starters", detected); });
        EXPECT_TRUE(driver.allStepsRan()) << driver.stepsRun() << " steps ran";
        EXPECT_FALSE(driver.timedOut());
        for (const std::string& failure : driver.failures()) ADD_FAILURE() << failure;
        return added;
    }
};

// A visible top-level window away from the screen's centre, to own the scan's windows.
class OwnerWindow {
public:
    OwnerWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 30, 760, 560,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND handle() const { return window_; }

private:
    HWND window_;
};

POINT centreOf(HWND window) {
    RECT box{};
    GetWindowRect(window, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

}  // namespace

TEST(ScanResultsDialog, ListsTheNewMainProposalsByNameAndDescribesTheSelectedOne) {
    ResultsRun results;
    std::wstring caption;
    std::vector<std::wstring> rows, allRows, noneSelected, first, third, cleared;
    std::vector<bool> checks;
    bool addEnabled = true;
    auto description = [](DialogWindow& dialog) {
        return std::vector<std::wstring>{dialog.text(IDC_SCAN_EXECUTABLE), dialog.text(IDC_SCAN_ARGUMENTS)};
    };
    const bool added = results.run({[&](DialogWindow& dialog) {
        caption = dialog.caption();
        rows = dialog.listViewItems(IDC_SCAN_LIST);
        checks = dialog.listViewChecks(IDC_SCAN_LIST);
        EXPECT_EQ(dialog.listViewSelection(IDC_SCAN_LIST), -1);
        noneSelected = description(dialog);
        addEnabled = dialog.isEnabled(IDOK);
        dialog.selectListViewItem(IDC_SCAN_LIST, 0);
        first = description(dialog);
        dialog.selectListViewItem(IDC_SCAN_LIST, 2);
        third = description(dialog);
        dialog.selectListViewItem(IDC_SCAN_LIST, -1);
        cleared = description(dialog);
        EXPECT_FALSE(dialog.isEnabled(IDOK));  // a selection is no tick
        dialog.click(IDC_SCAN_SHOW_NONMAIN);
        DialogDriver::pumpMessages(50);
        allRows = dialog.listViewItems(IDC_SCAN_LIST);
        dialog.checkListViewItem(IDC_SCAN_LIST, 0, true);
        dialog.pressEscape();
    }});
    EXPECT_FALSE(added);
    EXPECT_EQ(caption, L"Detected J2SE Starters");
    EXPECT_EQ(rows, kDefaultRows);
    EXPECT_EQ(checks, std::vector<bool>(3, false));
    EXPECT_FALSE(addEnabled);
    EXPECT_EQ(noneSelected, (std::vector<std::wstring>{L"", L""}));
    EXPECT_EQ(first, (std::vector<std::wstring>{L"C:\\corretto21\\bin\\javaw.exe", L"-Xmx1g -jar %1 %*"}));
    EXPECT_EQ(third, (std::vector<std::wstring>{L"C:\\zulu17\\bin\\javaw.exe", L"-jar %1 %*"}));
    EXPECT_EQ(cleared, noneSelected);
    EXPECT_EQ(allRows, kAllRows);
    EXPECT_EQ(checkedFlags(results.detected), std::vector<bool>(5, false));  // Esc changes nothing
}

TEST(ScanResultsDialog, AddCheckedIsEnabledExactlyWhileARowIsTicked) {
    ResultsRun results;
    std::vector<bool> enabled, afterCheckAll, afterUncheckAll, afterShowingNonmain;
    const bool added = results.run({[&](DialogWindow& dialog) {
        auto addEnabled = [&] { enabled.push_back(dialog.isEnabled(IDOK)); };
        auto press = [&](int id) {
            dialog.click(id);
            DialogDriver::pumpMessages(50);
        };
        dialog.checkListViewItem(IDC_SCAN_LIST, 1, true);
        addEnabled();
        dialog.checkListViewItem(IDC_SCAN_LIST, 2, true);
        dialog.checkListViewItem(IDC_SCAN_LIST, 1, false);
        addEnabled();
        dialog.checkListViewItem(IDC_SCAN_LIST, 2, false);
        addEnabled();
        press(IDC_SCAN_CHECK_ALL);
        afterCheckAll = dialog.listViewChecks(IDC_SCAN_LIST);
        addEnabled();
        press(IDC_SCAN_UNCHECK_ALL);
        afterUncheckAll = dialog.listViewChecks(IDC_SCAN_LIST);
        addEnabled();
        // Showing the nonmain rows starts every row unticked again.
        press(IDC_SCAN_CHECK_ALL);
        press(IDC_SCAN_SHOW_NONMAIN);
        afterShowingNonmain = dialog.listViewChecks(IDC_SCAN_LIST);
        addEnabled();
        dialog.closeBox();
    }});
    EXPECT_FALSE(added);
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, true, false, false}));
    EXPECT_EQ(afterCheckAll, std::vector<bool>(3, true));
    EXPECT_EQ(afterUncheckAll, std::vector<bool>(3, false));
    EXPECT_EQ(afterShowingNonmain, std::vector<bool>(5, false));
    EXPECT_EQ(checkedFlags(results.detected), std::vector<bool>(5, false));
}

TEST(ScanResultsDialog, AddCheckedMarksExactlyTheTickedRowsProposals) {
    ResultsRun results;
    const std::vector<DetectedStarter> before = results.detected;
    const bool added = results.run({[&](DialogWindow& dialog) {
        dialog.click(IDC_SCAN_SHOW_NONMAIN);
        DialogDriver::pumpMessages(50);
        // Azul (configured), JDK (nonmain) and Zulu; Corretto only selected.
        for (int row : {0, 2, 4}) dialog.checkListViewItem(IDC_SCAN_LIST, row, true);
        dialog.selectListViewItem(IDC_SCAN_LIST, 1);
        dialog.click(IDOK);
    }});
    EXPECT_TRUE(added);
    EXPECT_EQ(checkedFlags(results.detected), (std::vector<bool>{true, false, true, true, false}));
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(results.detected[i].starter.name, before[i].starter.name);
        EXPECT_EQ(results.detected[i].main, before[i].main);
        EXPECT_EQ(results.detected[i].configured, before[i].configured);
    }
}

TEST(ScanResultsDialog, ControlsStylesAndTheOneColumnOverItsOwner) {
    ResultsRun results;
    OwnerWindow owner;
    std::vector<DialogWindow::Control> controls;
    DWORD extended = 0, listExStyle = 0;
    int columns = 0, columnWidth = 0, listWidth = 0, columnFormat = -1, widthOnOtherScreen = 0;
    std::wstring columnText = L"?";
    HWND dialogOwner = nullptr;
    POINT dialogCentre{};
    bool nonmainTicked = true;
    results.run({[&](DialogWindow& dialog) {
                     controls = dialog.controls();
                     HWND list = dialog.control(IDC_SCAN_LIST);
                     extended = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
                     listExStyle = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_EXSTYLE));
                     columns = static_cast<int>(SendMessageW(
                         reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
                     columnWidth = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
                     RECT client{};
                     GetClientRect(list, &client);
                     listWidth = client.right;
                     wchar_t text[32] = L"?";
                     LVCOLUMNW column{};
                     column.mask = LVCF_FMT | LVCF_TEXT;
                     column.pszText = text;
                     column.cchTextMax = 32;
                     SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
                     columnText = text;
                     columnFormat = column.fmt & LVCFMT_JUSTIFYMASK;
                     nonmainTicked = IsDlgButtonChecked(dialog.handle(), IDC_SCAN_SHOW_NONMAIN) == BST_CHECKED;
                     // On a screen of another resolution the system makes the list wider.
                     RECT frame{};
                     GetWindowRect(list, &frame);
                     SetWindowPos(list, nullptr, 0, 0, frame.right - frame.left + 40, frame.bottom - frame.top,
                                  SWP_NOMOVE | SWP_NOZORDER);
                     GetWindowRect(dialog.handle(), &frame);
                     SendMessageW(dialog.handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&frame));
                     DialogDriver::pumpMessages(50);
                     widthOnOtherScreen = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
                     dialogOwner = dialog.owner();
                     dialogCentre = centreOf(dialog.handle());
                     dialog.click(IDCANCEL);
                 }},
                owner.handle());

    struct Expected {
        int id;
        const wchar_t* className;
        const wchar_t* text;
    };
    const std::vector<Expected> expected = {
        {IDC_SCAN_LIST, L"SysListView32", L""},       {IDC_SCAN_CHECK_ALL, L"Button", L"&Check All"},
        {IDC_SCAN_UNCHECK_ALL, L"Button", L"&Uncheck All"}, {IDC_SCAN_SHOW_NONMAIN, L"Button", L"&Show nonmain starters"},
        {IDOK, L"Button", L"&Add Checked"},            {IDCANCEL, L"Button", L"Cancel"},
        {-1, L"Button", L"Description"},              {-1, L"Static", L"Executable File"},
        {IDC_SCAN_EXECUTABLE, L"Static", L""},        {-1, L"Static", L"Arguments"},
        {IDC_SCAN_ARGUMENTS, L"Static", L""}};
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].id != -1) {
            EXPECT_EQ(controls[i].id, expected[i].id) << i;
        }
        EXPECT_EQ(_wcsicmp(controls[i].className.c_str(), expected[i].className), 0) << i;
        EXPECT_EQ(controls[i].text, expected[i].text) << i;
    }
    const DWORD listStyle = controls[0].style;
    EXPECT_EQ(listStyle & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    for (DWORD style : {LVS_SINGLESEL, LVS_SHOWSELALWAYS, LVS_SORTASCENDING, LVS_NOCOLUMNHEADER})
        EXPECT_TRUE(listStyle & style) << std::hex << style;
    EXPECT_TRUE(listExStyle & WS_EX_CLIENTEDGE);
    EXPECT_EQ(extended & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(columns, 1);
    EXPECT_EQ(columnText, L"");
    EXPECT_EQ(columnFormat, LVCFMT_LEFT);
    EXPECT_EQ(columnWidth, listWidth - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(widthOnOtherScreen, columnWidth + 40);
    EXPECT_EQ(controls[3].style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_FALSE(nonmainTicked);
    EXPECT_EQ(controls[4].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(controls[6].style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
    const DWORD fieldStyle = SS_SUNKEN | SS_NOPREFIX;
    EXPECT_EQ(controls[8].style & (fieldStyle | SS_ELLIPSISMASK), fieldStyle | SS_PATHELLIPSIS);
    EXPECT_EQ(controls[10].style & (fieldStyle | SS_ELLIPSISMASK), fieldStyle);
    EXPECT_EQ(controls[10].style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));  // wraps its lines
    EXPECT_EQ(dialogOwner, owner.handle());
    const POINT ownerCentre = centreOf(owner.handle());
    EXPECT_LE(std::abs(dialogCentre.x - ownerCentre.x), 1);
    EXPECT_LE(std::abs(dialogCentre.y - ownerCentre.y), 1);
}

TEST(ScanProgressDialog, ShowsTheTitleOverItsOwnerUntilItGoes) {
    // The template: a pop-up with a modal frame, no caption, hidden until placed.
    HRSRC resource = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SCAN_PROGRESS), RT_DIALOG);
    ASSERT_NE(resource, nullptr);
    const BYTE* dialogTemplate = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
    const DWORD templateStyle = *reinterpret_cast<const DWORD*>(dialogTemplate + 12);  // DLGTEMPLATEEX.style
    EXPECT_EQ(templateStyle & (WS_POPUP | DS_MODALFRAME | WS_CAPTION | WS_VISIBLE),
              static_cast<DWORD>(WS_POPUP | DS_MODALFRAME));

    OwnerWindow owner;
    HWND window = nullptr;
    {
        win32::Win32ScanDialogs dialogs;
        std::unique_ptr<ScanProgress> progress =
            dialogs.showProgress(win32::toWindowRef(owner.handle()), u"Scanning for J2SE Starters");
        ASSERT_NE(progress, nullptr);
        window = static_cast<win32::ScanProgressDialog&>(*progress).handle();
        DialogWindow shown(window);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(shown.owner(), owner.handle());
        EXPECT_EQ(shown.text(IDC_SCAN_PROGRESS_TEXT), L"Scanning for J2SE Starters");
        const std::vector<DialogWindow::Control> controls = shown.controls();
        ASSERT_EQ(controls.size(), 1u);
        EXPECT_EQ(controls[0].style & (SS_TYPEMASK | SS_CENTERIMAGE), static_cast<DWORD>(SS_CENTER | SS_CENTERIMAGE));
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, 0);
        const POINT centre = centreOf(window), ownerCentre = centreOf(owner.handle());
        EXPECT_LE(std::abs(centre.x - ownerCentre.x), 1);
        EXPECT_LE(std::abs(centre.y - ownerCentre.y), 1);
    }
    EXPECT_FALSE(IsWindow(window));
}
