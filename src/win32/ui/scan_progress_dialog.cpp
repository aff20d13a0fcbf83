#include "win32/ui/scan_progress_dialog.h"

#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/dialog_framework.h"
#include "win32/ui/dialog_text.h"

namespace quillmont::win32 {

namespace {

// The window has nothing to answer: the dialog manager's defaults do.
INT_PTR CALLBACK progressProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

std::unique_ptr<ScanProgressDialog> ScanProgressDialog::show(HWND parent, const WideString& title) {
    HWND window =
        CreateDialogParamW(programInstance(), MAKEINTRESOURCEW(IDD_SCAN_PROGRESS), parent, &progressProcedure, 0);
    if (window == nullptr) return nullptr;
    // Placed and filled while still hidden, so that it appears once, finished.
    centreDialog(window);
    setControlText(window, IDC_SCAN_PROGRESS_TEXT, title);
    // Not activated: the parent keeps the focus it returns to after the scan.
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    return std::unique_ptr<ScanProgressDialog>(new ScanProgressDialog(window));
}

ScanProgressDialog::~ScanProgressDialog() { DestroyWindow(window_); }

}  // namespace quillmont::win32
