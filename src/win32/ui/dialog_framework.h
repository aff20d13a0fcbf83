#pragma once

#include <windows.h>

namespace quillmont::win32 {

// The module whose resource script holds the dialogs and icons: the image the
// dialog code is linked into (Quillmont.exe, or a test program that links the
// resource script), known at link time, so nothing has to set it.
HINSTANCE programInstance();
// Sets the program icon in a dialog's title bar, large and small, in the sizes
// of the dialog's screen.
void setProgramIcon(HWND dialog);
// A GetSystemMetrics size for the resolution of the screen the window is on, which
// for a per-monitor aware program may differ from the primary screen's.
int metricForWindow(HWND window, int metric);
// Registers common control classes (ICC_* flags) that a dialog template uses
// beyond what start-up registered, before the dialog is created.
void registerControlClasses(DWORD classes);

}  // namespace quillmont::win32
