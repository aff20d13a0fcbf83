#include "win32/ui/selection_dialog.h"

#include "core/setup/setup_model.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/link_commands.h"
#include "win32/ui/list_controls.h"
#include "win32/ui/modal_dialog.h"
#include "win32/ui/window_ref.h"
#include "win32/ui/setup_dialog.h"

namespace quillmont::win32 {

StarterSelection SelectionDialog::run(HWND owner) {
    chosenSlot_ = 0;
    const int resource = kind_ == StarterKind::J2SE ? IDD_J2SE_SELECT : IDD_J2ME_SELECT;
    const INT_PTR result = runModalDialog(resource, owner, *this);
    if (result != IDOK) return {DialogResult::Cancel, 0};
    return {DialogResult::Ok, chosenSlot_};
}

INT_PTR SelectionDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        dialog_ = dialog;
        initialize();
        return TRUE;
    }
    if (message == WM_COMMAND) return command(LOWORD(wParam), HIWORD(wParam));
    return FALSE;
}

void SelectionDialog::initialize() {
    centreDialog(dialog_);
    setProgramIcon(dialog_);
    chosenSlot_ = 0;
    update_.attach(GetDlgItem(dialog_, IDC_UPDATE_LINK));
    about_.attach(GetDlgItem(dialog_, IDC_ABOUT_LINK));
    fillList();
}

// The preselection is worked out anew each time; the item is found by its slot
// once all are in, so sorting cannot move the selection to another starter.
void SelectionDialog::fillList() {
    HWND list = GetDlgItem(dialog_, IDC_SELECT_LIST);
    const StarterList& starters = store_.list(kind_);
    fillListBox(list, starterRows(starters));
    const std::int32_t preselected = starters.preselectedSlot();
    if (!starters.isOccupied(preselected) || !selectListBoxItemByData(list, preselected))
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    applyEnablingRule();
}

void SelectionDialog::applyEnablingRule() {
    const bool selected = SendDlgItemMessageW(dialog_, IDC_SELECT_LIST, LB_GETCURSEL, 0, 0) != LB_ERR;
    EnableWindow(GetDlgItem(dialog_, IDOK), selected);
}

void SelectionDialog::choose() {
    chosenSlot_ = selectedListBoxData(GetDlgItem(dialog_, IDC_SELECT_LIST));
    EndDialog(dialog_, IDOK);
}

bool SelectionDialog::command(int id, int code) {
    if (id == IDC_SELECT_LIST) {
        if (code == LBN_SELCHANGE) applyEnablingRule();
        else if (code == LBN_DBLCLK && IsWindowEnabled(GetDlgItem(dialog_, IDOK))) choose();
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDOK:
            choose();
            return true;
        case IDCANCEL:
            chosenSlot_ = 0;
            EndDialog(dialog_, IDCANCEL);
            return true;
        case IDC_SELECT_SETUP:
            if (SetupDialog(store_, platform_, scanDialogs_, updateDialogs_).run(dialog_) == IDOK) fillList();
            return true;
        default:
            return runLinkCommand(id, dialog_, platform_, updateDialogs_);
    }
}

}  // namespace quillmont::win32
