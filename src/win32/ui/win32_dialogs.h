#pragma once

#include "core/launch/starter_dialogs.h"
#include "core/scan/scan_dialogs.h"
#include "core/starters/settings_store.h"
#include "platform/platform.h"

namespace quillmont::win32 {

// The program's dialogs from the resource script, given the ports, the scan's
// windows and the settings store that the program's entry wired.
class Win32Dialogs final : public Dialogs {
public:
    Win32Dialogs(Platform& platform, ScanDialogs& scanDialogs, SettingsAccess settings)
        : platform_(platform), scanDialogs_(scanDialogs), settings_(std::move(settings)) {}
    DialogResult runSetupDialog(WindowRef owner) override;
    StarterSelection runSelectionDialog(StarterKind kind, WindowRef owner) override;
    JadSizeAnswer runJadSizeDialog(std::uint32_t jarSize, std::uint32_t declaredSize, WindowRef owner) override;

private:
    Platform& platform_;
    ScanDialogs& scanDialogs_;
    SettingsAccess settings_;
};

}  // namespace quillmont::win32
