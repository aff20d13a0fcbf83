#include "win32/ui/scan_results_dialog.h"

#include <commctrl.h>

#include "core/scan/scan_results.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/dialog_framework.h"
#include "win32/ui/dialog_text.h"
#include "win32/ui/modal_dialog.h"

namespace quillmont::win32 {

namespace {

constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT kFitColumn = WM_APP + 1;  // posted to itself: the column's width after a new layout

int rowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

bool isChecked(HWND list, int row) {
    return (SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) == kChecked;
}

}  // namespace

INT_PTR ScanResultsDialog::run(HWND owner) {
    registerControlClasses(ICC_LISTVIEW_CLASSES);  // the template's list view
    return runModalDialog(IDD_SCAN_RESULTS, owner, *this);
}

INT_PTR ScanResultsDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            dialog_ = dialog;
            initialize();
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom != IDC_SCAN_LIST || header->code != LVN_ITEMCHANGED) return FALSE;
            if (changingRows_) return TRUE;
            // A click on a row or on its check box: either may change what follows from it.
            if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE) {
                showDescription();
                applyEnablingRule();
            }
            return TRUE;
        }
        case WM_COMMAND:
            return HIWORD(wParam) == BN_CLICKED && command(LOWORD(wParam));
        case WM_DPICHANGED:
            // The system lays the dialog out anew for the other screen after this
            // returns, but leaves the column's width in pixels as it was.
            PostMessageW(dialog, kFitColumn, 0, 0);
            return FALSE;
        case kFitColumn:
            fitColumn();
            return TRUE;
        default:
            return FALSE;
    }
}

void ScanResultsDialog::initialize() {
    centreDialog(dialog_);
    SetWindowTextW(dialog_, toWide(title_).c_str());
    HWND rows = list();
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageW(rows, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    wchar_t noHeader[] = L"";
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.pszText = noHeader;
    SendMessageW(rows, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    fitColumn();
    fillList();
    showDescription();
    applyEnablingRule();
}

bool ScanResultsDialog::command(int id) {
    switch (id) {
        case IDC_SCAN_CHECK_ALL:
        case IDC_SCAN_UNCHECK_ALL:
            checkAll(id == IDC_SCAN_CHECK_ALL);
            return true;
        case IDC_SCAN_SHOW_NONMAIN:
            fillList();
            showDescription();
            applyEnablingRule();
            return true;
        case IDOK:
            // Enter reaches here too; with nothing ticked there is nothing to add.
            if (!IsWindowEnabled(GetDlgItem(dialog_, IDOK))) return true;
            markChecked(detected_, tickedProposals());
            EndDialog(dialog_, IDOK);
            return true;
        case IDCANCEL:
            EndDialog(dialog_, IDCANCEL);
            return true;
        default:
            return false;
    }
}

HWND ScanResultsDialog::list() const { return GetDlgItem(dialog_, IDC_SCAN_LIST); }

// One column as wide as the list, less a vertical scroll bar that a long list adds.
void ScanResultsDialog::fitColumn() {
    RECT client{};
    GetClientRect(list(), &client);
    const int width = client.right - client.left - metricForWindow(list(), SM_CXVSCROLL);
    SendMessageW(list(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
}

// Every row starts unchecked and remembers its proposal; the list sorts the rows by name.
void ScanResultsDialog::fillList() {
    HWND rows = list();
    changingRows_ = true;
    SendMessageW(rows, WM_SETREDRAW, FALSE, 0);
    SendMessageW(rows, LVM_DELETEALLITEMS, 0, 0);
    const bool showNonmain = IsDlgButtonChecked(dialog_, IDC_SCAN_SHOW_NONMAIN) == BST_CHECKED;
    for (std::size_t index : resultRows(detected_, showNonmain)) {
        std::wstring name = toWide(detected_[index].starter.name);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        item.iItem = rowCount(rows);
        item.pszText = name.data();
        item.lParam = static_cast<LPARAM>(index);
        item.state = kUnchecked;
        item.stateMask = LVIS_STATEIMAGEMASK;
        SendMessageW(rows, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The first row has the list's focus, unselected: Space ticks it before any arrow was pressed.
    LVITEMW focus{};
    focus.state = focus.stateMask = LVIS_FOCUSED;
    SendMessageW(rows, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
    SendMessageW(rows, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(rows, nullptr, TRUE);
    changingRows_ = false;
}

void ScanResultsDialog::showDescription() {
    const int row = static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const DetectedStarter* shown = row < 0 ? nullptr : &detected_[proposalOf(row)];
    setControlText(dialog_, IDC_SCAN_EXECUTABLE, shown != nullptr ? shown->starter.executableFile : WideString());
    setControlText(dialog_, IDC_SCAN_ARGUMENTS, shown != nullptr ? shown->starter.arguments : WideString());
}

void ScanResultsDialog::applyEnablingRule() {
    HWND rows = list();
    bool anyTicked = false;
    for (int row = 0, count = rowCount(rows); row < count && !anyTicked; ++row) anyTicked = isChecked(rows, row);
    EnableWindow(GetDlgItem(dialog_, IDOK), anyTicked);
}

void ScanResultsDialog::checkAll(bool checked) {
    LVITEMW state{};
    state.state = checked ? kChecked : kUnchecked;
    state.stateMask = LVIS_STATEIMAGEMASK;
    // Row -1: every row.
    changingRows_ = true;
    SendMessageW(list(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    changingRows_ = false;
    applyEnablingRule();
}

std::size_t ScanResultsDialog::proposalOf(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<std::size_t>(item.lParam);
}

std::vector<std::size_t> ScanResultsDialog::tickedProposals() const {
    std::vector<std::size_t> ticked;
    HWND rows = list();
    for (int row = 0, count = rowCount(rows); row < count; ++row)
        if (isChecked(rows, row)) ticked.push_back(proposalOf(row));
    return ticked;
}

}  // namespace quillmont::win32
