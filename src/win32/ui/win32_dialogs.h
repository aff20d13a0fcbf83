#pragma once

#include "core/launch/starter_dialogs.h"
#include "core/scan/scan_dialogs.h"
#include "core/starters/settings_store.h"
#include "core/update/update_command.h"
#include "platform/platform.h"

namespace quillmont::win32 {

// The program's dialogs from the resource script, given the ports, the scan's
// windows and the settings store that the program's entry wired.
class Win32Dialogs final : public Dialogs {
public:
    Win32Dialogs(Platform& platform, ScanDialogs& scanDialogs, UpdateDialogs& updateDialogs, SettingsAccess settings)
        : platform_(platform), scanDialogs_(scanDialogs), updateDialogs_(updateDialogs), settings_(std::move(settings)) {}
    DialogResult runSetupDialog(WindowRef owner) override;
    StarterSelection runSelectionDialog(StarterKind kind, WindowRef owner) override;
    JadSizeAnswer runJadSizeDialog(const JadRepair& repair, WindowRef owner) override;

private:
    Platform& platform_;
    ScanDialogs& scanDialogs_;
    UpdateDialogs& updateDialogs_;
    SettingsAccess settings_;
};

}  // namespace quillmont::win32
