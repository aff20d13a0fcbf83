#include "win32/ui/win32_dialogs.h"

#include "core/starters/settings_store.h"
#include "win32/ui/setup_dialog.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

DialogResult Win32Dialogs::runSetupDialog(WindowRef owner) {
    SetupDialog dialog(SettingsStore::instance(registry_), ui_, registry_, shell_);
    return dialog.run(toHwnd(owner)) == IDOK ? DialogResult::Ok : DialogResult::Cancel;
}

}  // namespace quillmont::win32
