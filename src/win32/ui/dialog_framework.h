#pragma once

#include <windows.h>

namespace quillmont::win32 {

// The module whose resource script holds the dialogs and icons.
void initializeDialogFramework(HINSTANCE instance);
void shutdownDialogFramework();
HINSTANCE programInstance();
// Sets the program icon in a dialog's title bar, large and small.
void setProgramIcon(HWND dialog);
// Registers common control classes (ICC_* flags) that a dialog template uses
// beyond what start-up registered, before the dialog is created.
void registerControlClasses(DWORD classes);

}  // namespace quillmont::win32
