#include "win32/ui/win32_dialogs.h"

#include "win32/ui/jad_size_dialog.h"
#include "win32/ui/selection_dialog.h"
#include "win32/ui/setup_dialog.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

DialogResult Win32Dialogs::runSetupDialog(WindowRef owner) {
    SetupDialog dialog(settings_(), platform_, scanDialogs_, updateDialogs_);
    return dialog.run(toHwnd(owner)) == IDOK ? DialogResult::Ok : DialogResult::Cancel;
}

StarterSelection Win32Dialogs::runSelectionDialog(StarterKind kind, WindowRef owner) {
    return SelectionDialog(kind, settings_(), platform_, scanDialogs_, updateDialogs_).run(toHwnd(owner));
}

JadSizeAnswer Win32Dialogs::runJadSizeDialog(const JadRepair& repair, WindowRef owner) {
    return JadSizeDialog(repair).run(toHwnd(owner));
}

}  // namespace quillmont::win32
