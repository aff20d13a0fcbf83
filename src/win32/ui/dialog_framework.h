#pragma once

#include <windows.h>

namespace quillmont::win32 {

// The module whose resource script holds the dialogs and icons.
void initializeDialogFramework(HINSTANCE instance);
void shutdownDialogFramework();
HINSTANCE programInstance();

}  // namespace quillmont::win32
