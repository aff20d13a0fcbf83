#include "win32/ui/jad_size_dialog.h"

#include "core/launch/jad_flow.h"
#include "core/text/message_format.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/dialog_text.h"
#include "win32/ui/dialog_framework.h"
#include "win32/ui/modal_dialog.h"

namespace quillmont::win32 {

JadSizeAnswer JadSizeDialog::run(HWND owner) {
    switch (runModalDialog(IDD_JAD_SIZE, owner, *this)) {
        case IDOK: return JadSizeAnswer::CorrectThisFile;
        case IDC_SIZE_TEMPORARY: return JadSizeAnswer::CreateTemporaryFile;
        default: return JadSizeAnswer::Cancel;
    }
}

INT_PTR JadSizeDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        centreDialog(dialog);
        setProgramIcon(dialog);
        // The text in the template is a format for the two sizes; a web address has a text of its own.
        const WideString text = jadRepairText(repair_);
        setControlText(dialog, IDC_SIZE_TEXT,
                       text.empty() ? formatNumbers(controlText(dialog, IDC_SIZE_TEXT), repair_.jarSize, repair_.declaredSize)
                                    : text);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL || id == IDC_SIZE_TEMPORARY) {
            EndDialog(dialog, id);
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace quillmont::win32
