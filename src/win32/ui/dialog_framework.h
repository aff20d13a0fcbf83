#pragma once

#include <windows.h>

namespace quillmont::win32 {

// The module whose resource script holds the dialogs and icons.
void initializeDialogFramework(HINSTANCE instance);
void shutdownDialogFramework();
HINSTANCE programInstance();
// Sets the program icon in a dialog's title bar, large and small.
void setProgramIcon(HWND dialog);

}  // namespace quillmont::win32
