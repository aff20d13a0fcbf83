#pragma once

#include <windows.h>

#include "win32/ui/dialog_framework.h"

namespace quillmont::win32 {

// Runs dialog resource `id` modally and routes its messages, from WM_INITDIALOG
// on, to `dialog.handleMessage(window, message, wParam, lParam)`, which returns
// what a dialog procedure returns.
template <class Dialog>
INT_PTR CALLBACK modalDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
    // On a screen of another resolution the title bar's icons are loaded again in its sizes.
    if (message == WM_DPICHANGED && SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0) setProgramIcon(window);
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog != nullptr ? dialog->handleMessage(window, message, wParam, lParam) : FALSE;
}

template <class Dialog>
INT_PTR runModalDialog(int id, HWND owner, Dialog& dialog) {
    return DialogBoxParamW(programInstance(), MAKEINTRESOURCEW(id), owner, &modalDialogProcedure<Dialog>,
                           reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace quillmont::win32
