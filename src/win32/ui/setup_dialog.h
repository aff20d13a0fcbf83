#pragma once

#include <windows.h>

#include "core/setup/setup_model.h"

#include "core/scan/scan_dialogs.h"
#include "core/update/update_command.h"
#include "core/starters/settings_store.h"
#include "platform/platform.h"
#include "win32/ui/link_label.h"

namespace quillmont::win32 {

// The setup dialog (201): both starter lists, their default actions and the
// links. It edits the store's lists in place; OK saves them, Cancel reloads them.
class SetupDialog {
public:
    SetupDialog(SettingsStore& store, Platform& platform, ScanDialogs& scanDialogs, UpdateDialogs& updateDialogs)
        : store_(store), platform_(platform), scanDialogs_(scanDialogs), updateDialogs_(updateDialogs) {}
    // IDOK or IDCANCEL.
    INT_PTR run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    struct Side {
        StarterKind kind;
        int list, scan, add, copy, edit, remove, action;
    };

private:
    void initialize();
    bool command(int id, int code);
    void showScanHint();

    void fillBothSides();  // lists, enabling rule, then combos
    void fillList(const Side& side);
    void fillActions(const Side& side);
    void applyEnablingRule();
    int selectedSlot(const Side& side) const;
    void showStarter(const Side& side, int slot);  // adds its row and selects it
    void afterChange(const Side& side);

    void add(const Side& side);
    void copy(const Side& side);
    // Tells the user when the side's list has no room left; true when it had none.
    bool tellWhenFull(const Side& side);
    void edit(const Side& side);
    void remove(const Side& side);
    void scan(const Side& side);
    void chooseAction(const Side& side);
    bool editRecord(StarterKind kind, StarterRecord& record);

    SettingsStore& store_;
    // Both lists as the dialog opened with them (or as it last stored them): OK
    // saves the ones that differ.
    OpenedLists opened_;
    Platform& platform_;
    ScanDialogs& scanDialogs_;
    UpdateDialogs& updateDialogs_;
    HWND dialog_ = nullptr;
    LinkLabel about_, update_, associations_;
};

}  // namespace quillmont::win32
