#include "win32/ui/setup_dialog.h"

#include "core/scan/scan_command.h"
#include "core/setup/file_associations.h"
#include "core/setup/setup_model.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/dialog_framework.h"
#include "win32/ui/modal_dialog.h"
#include "win32/ui/dialog_text.h"
#include "win32/ui/link_commands.h"
#include "win32/ui/list_controls.h"
#include "win32/ui/starter_edit_dialog.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

namespace {

constexpr SetupDialog::Side kSides[] = {
    {StarterKind::J2SE, IDC_J2SE_LIST, IDC_J2SE_SCAN, IDC_J2SE_ADD, IDC_J2SE_COPY, IDC_J2SE_EDIT, IDC_J2SE_DELETE,
     IDC_J2SE_ACTION},
    {StarterKind::J2ME, IDC_J2ME_LIST, IDC_J2ME_SCAN, IDC_J2ME_ADD, IDC_J2ME_COPY, IDC_J2ME_EDIT, IDC_J2ME_DELETE,
     IDC_J2ME_ACTION},
};

}  // namespace

INT_PTR SetupDialog::run(HWND owner) { return runModalDialog(IDD_SETUP, owner, *this); }

INT_PTR SetupDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            dialog_ = dialog;
            opened_ = {store_.list(StarterKind::J2SE), store_.list(StarterKind::J2ME)};
            initialize();
            return TRUE;
        case WM_TIMER:
            if (wParam != IDT_SCAN_HINT) return FALSE;
            KillTimer(dialog, IDT_SCAN_HINT);
            showScanHint();
            return TRUE;
        case WM_COMMAND:
            return command(LOWORD(wParam), HIWORD(wParam));
        default:
            return FALSE;
    }
}

void SetupDialog::initialize() {
    centreDialog(dialog_);
    setProgramIcon(dialog_);
    about_.attach(GetDlgItem(dialog_, IDC_ABOUT_LINK));
    update_.attach(GetDlgItem(dialog_, IDC_UPDATE_LINK));
    associations_.attach(GetDlgItem(dialog_, IDC_ASSOCIATIONS_LINK));
    fillBothSides();
    // The hint waits until the dialog is on the screen.
    SetTimer(dialog_, IDT_SCAN_HINT, 100, nullptr);
}

void SetupDialog::showScanHint() {
    if (shouldShowScanHint(store_.list(StarterKind::J2SE), store_.list(StarterKind::J2ME)))
        platform_.ui.showMessage(toWindowRef(dialog_), kScanHint, MessageKind::Information);
}

bool SetupDialog::command(int id, int code) {
    for (const Side& side : kSides) {
        if (id == side.list && code == LBN_SELCHANGE) {
            applyEnablingRule();
            return true;
        }
        if (id == side.action && code == CBN_SELCHANGE) {
            chooseAction(side);
            return true;
        }
        if (code != BN_CLICKED) continue;
        if (id == side.add) add(side);
        else if (id == side.copy) copy(side);
        else if (id == side.edit) edit(side);
        else if (id == side.remove) remove(side);
        else if (id == side.scan) scan(side);
        else continue;
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDOK:
            if (saveChangedLists(store_, opened_, platform_.ui, toWindowRef(dialog_))) {
                EndDialog(dialog_, IDOK);
                return true;
            }
            // The user was told and may try again; a list read again meanwhile
            // may not be the one shown.
            fillBothSides();
            return true;
        case IDCANCEL:
            store_.load();
            EndDialog(dialog_, IDCANCEL);
            return true;
        case IDC_ASSOCIATIONS_LINK:
            associateFileTypes(toWindowRef(dialog_), platform_.ui, platform_.registry, platform_.shell,
                               platform_.environment.programPath());
            return true;
        default:
            return runLinkCommand(id, dialog_, platform_, updateDialogs_);
    }
}

void SetupDialog::fillBothSides() {
    for (const Side& side : kSides) fillList(side);
    applyEnablingRule();
    for (const Side& side : kSides) fillActions(side);
}

void SetupDialog::fillList(const Side& side) {
    fillListBox(GetDlgItem(dialog_, side.list), starterRows(store_.list(side.kind)));
}

void SetupDialog::fillActions(const Side& side) {
    HWND combo = GetDlgItem(dialog_, side.action);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const ActionChoices choices = actionChoices(store_.list(side.kind));
    for (const ListRow& entry : choices.entries) {
        const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(entry.text).c_str()));
        SendMessageW(combo, CB_SETITEMDATA, at, static_cast<LPARAM>(entry.value));
    }
    // Selected by value, after all entries are in: the sorted combo moves entries.
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if (!choices.selected) return;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<std::int32_t>(SendMessageW(combo, CB_GETITEMDATA, i, 0)) == *choices.selected) {
            SendMessageW(combo, CB_SETCURSEL, i, 0);
            break;
        }
    }
}

void SetupDialog::applyEnablingRule() {
    for (const Side& side : kSides) {
        const bool selected = SendDlgItemMessageW(dialog_, side.list, LB_GETCURSEL, 0, 0) != LB_ERR;
        for (int id : {side.copy, side.edit, side.remove}) EnableWindow(GetDlgItem(dialog_, id), selected);
    }
}

int SetupDialog::selectedSlot(const Side& side) const {
    return selectedListBoxData(GetDlgItem(dialog_, side.list));
}

void SetupDialog::showStarter(const Side& side, int slot) {
    HWND list = GetDlgItem(dialog_, side.list);
    const WideString& name = store_.list(side.kind).record(slot).name;
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(name).c_str()));
    SendMessageW(list, LB_SETITEMDATA, at, slot);
    SendMessageW(list, LB_SETCURSEL, at, 0);
}

void SetupDialog::afterChange(const Side& side) {
    fitListBoxExtent(GetDlgItem(dialog_, side.list));
    applyEnablingRule();
    fillActions(side);
}

bool SetupDialog::editRecord(StarterKind kind, StarterRecord& record) {
    EmulatorFiller filler = [this](const WideString& path, const StarterRecord& fields) {
        EmulatorJavaFinder java(platform_, store_.list(StarterKind::J2SE));
        return fillForEmulator(java, platform_, path, fields);
    };
    return StarterEditDialog(record, kind, platform_.ui, std::move(filler)).run(dialog_) == IDOK;
}

void SetupDialog::add(const Side& side) {
    if (tellWhenFull(side)) return;
    const int slot = addStarter(store_.list(side.kind), [&](StarterRecord& r) { return editRecord(side.kind, r); });
    if (slot != 0) showStarter(side, slot);
    afterChange(side);
}

bool SetupDialog::tellWhenFull(const Side& side) {
    if (!listIsFull(store_.list(side.kind))) return false;
    platform_.ui.showMessage(toWindowRef(dialog_), kListFullMessage, MessageKind::Information);
    return true;
}

void SetupDialog::copy(const Side& side) {
    const int source = selectedSlot(side);
    if (source == 0 || tellWhenFull(side)) return;
    const int slot =
        copyStarter(store_.list(side.kind), source, [&](StarterRecord& r) { return editRecord(side.kind, r); });
    if (slot != 0) showStarter(side, slot);
    afterChange(side);
}

void SetupDialog::edit(const Side& side) {
    const int slot = selectedSlot(side);
    if (slot == 0) return;
    if (editStarter(store_.list(side.kind), slot, [&](StarterRecord& r) { return editRecord(side.kind, r); })) {
        SendDlgItemMessageW(dialog_, side.list, LB_DELETESTRING,
                            SendDlgItemMessageW(dialog_, side.list, LB_GETCURSEL, 0, 0), 0);
        showStarter(side, slot);
    }
    afterChange(side);
}

void SetupDialog::remove(const Side& side) {
    const int slot = selectedSlot(side);
    if (slot == 0) return;
    StarterList& list = store_.list(side.kind);
    if (platform_.ui.showMessage(toWindowRef(dialog_), deleteWarning(list.record(slot)), MessageKind::Warning) !=
        MessageAnswer::Ok)
        return;
    SendDlgItemMessageW(dialog_, side.list, LB_DELETESTRING, SendDlgItemMessageW(dialog_, side.list, LB_GETCURSEL, 0, 0),
                        0);
    list.removeRecord(slot);
    afterChange(side);
}

// The scan blocks this dialog until it is done; what it adds is saved or
// discarded with everything else by OK or Cancel.
void SetupDialog::scan(const Side& side) {
    if (!scanForStarters(side.kind, platform_, scanDialogs_, store_.list(side.kind),
                         store_.list(StarterKind::J2SE), toWindowRef(dialog_))) return;
    fillList(side);
    afterChange(side);
}

void SetupDialog::chooseAction(const Side& side) {
    const LRESULT at = SendDlgItemMessageW(dialog_, side.action, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return;
    store_.list(side.kind).setDefaultAction(
        static_cast<std::int32_t>(SendDlgItemMessageW(dialog_, side.action, CB_GETITEMDATA, at, 0)));
}

}  // namespace quillmont::win32
