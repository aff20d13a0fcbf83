#include "win32/ui/list_controls.h"

#include "win32/platform/wide_text.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_framework.h"

namespace quillmont::win32 {

void fillListBox(HWND list, const std::vector<ListRow>& rows) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const ListRow& row : rows) {
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(row.text).c_str()));
        SendMessageW(list, LB_SETITEMDATA, at, row.value);
    }
}

bool selectListBoxItemByData(HWND list, std::int32_t value) {
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<std::int32_t>(SendMessageW(list, LB_GETITEMDATA, i, 0)) == value) {
            SendMessageW(list, LB_SETCURSEL, i, 0);
            return true;
        }
    }
    return false;
}

std::int32_t selectedListBoxData(HWND list) {
    const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR) return 0;
    return static_cast<std::int32_t>(SendMessageW(list, LB_GETITEMDATA, at, 0));
}

void setProgramIcon(HWND dialog) {
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        HANDLE icon = LoadImageW(programInstance(), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

}  // namespace quillmont::win32
