#include "win32/ui/win32_dialogs.h"

namespace quillmont::win32 {

// The setup dialog is not built yet; until it is, opening it closes at once as if
// cancelled, which leaves every stored starter as it was.
DialogResult Win32Dialogs::runSetupDialog(WindowRef) { return DialogResult::Cancel; }

}  // namespace quillmont::win32
