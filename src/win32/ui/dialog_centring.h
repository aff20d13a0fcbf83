#pragma once

#include <windows.h>

namespace quillmont::win32 {

// Centres the dialog over its owner; with no owner, or one that is hidden or
// minimised, over the work area of the monitor the dialog is on. Either way the
// dialog is then moved to lie inside that monitor's work area.
void centreDialog(HWND dialog);

}  // namespace quillmont::win32
