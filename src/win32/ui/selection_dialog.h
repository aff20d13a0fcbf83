#pragma once

#include <windows.h>

#include "core/launch/starter_dialogs.h"
#include "core/scan/scan_dialogs.h"
#include "core/update/update_command.h"
#include "core/starters/settings_store.h"
#include "platform/platform.h"
#include "win32/ui/link_label.h"

namespace quillmont::win32 {

// The starter selection dialog of one kind (204 for J2SE, 208 for J2ME): the
// kind's starters, sorted by name, with the one the kind's actions name
// preselected. One modal run.
class SelectionDialog {
public:
    SelectionDialog(StarterKind kind, SettingsStore& store, Platform& platform, ScanDialogs& scanDialogs,
                    UpdateDialogs& updateDialogs)
        : kind_(kind), store_(store), platform_(platform), scanDialogs_(scanDialogs), updateDialogs_(updateDialogs) {}
    StarterSelection run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void initialize();
    bool command(int id, int code);
    void fillList();
    void applyEnablingRule();
    void choose();

    StarterKind kind_;
    SettingsStore& store_;
    Platform& platform_;
    ScanDialogs& scanDialogs_;
    UpdateDialogs& updateDialogs_;
    HWND dialog_ = nullptr;
    std::int32_t chosenSlot_ = 0;
    LinkLabel about_, update_;
};

}  // namespace quillmont::win32
