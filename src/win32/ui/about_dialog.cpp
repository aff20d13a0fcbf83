#include "win32/ui/about_dialog.h"

#include <string>
#include <vector>

#include "core/app/product.h"
#include "win32/platform/wide_text.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/modal_dialog.h"

namespace quillmont::win32 {

INT_PTR AboutDialog::run(HWND owner) { return runModalDialog(IDD_ABOUT, owner, *this); }

INT_PTR AboutDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        initialize(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND) return command(dialog, LOWORD(wParam));
    return FALSE;
}

void AboutDialog::initialize(HWND dialog) {
    centreDialog(dialog);
    // The title label is a format: its "%s" becomes the version text.
    HWND title = GetDlgItem(dialog, IDC_ABOUT_TITLE);
    std::vector<wchar_t> format(static_cast<std::size_t>(GetWindowTextLengthW(title)) + 1, L'\0');
    GetWindowTextW(title, format.data(), static_cast<int>(format.size()));
    std::wstring text(format.data());
    if (const std::size_t at = text.find(L"%s"); at != std::wstring::npos)
        text.replace(at, 2, toWide(kProductVersionText));
    SetWindowTextW(title, text.c_str());

    SetDlgItemTextW(dialog, IDC_HOME_PAGE, toWide(kHomePageUrl).c_str());
    homePage_.attach(GetDlgItem(dialog, IDC_HOME_PAGE));
}

bool AboutDialog::command(HWND dialog, int id) {
    switch (id) {
        case IDC_HOME_PAGE:
            shell_.openUrl(kHomePageUrl);  // the dialog stays open
            return true;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, id);
            return true;
        default:
            return false;
    }
}

}  // namespace quillmont::win32
