#include "win32/ui/list_controls.h"

#include "win32/platform/wide_text.h"

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

}  // namespace quillmont::win32
