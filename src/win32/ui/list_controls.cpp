#include "win32/ui/list_controls.h"

#include <vector>

#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

void fillListBox(HWND list, const std::vector<ListRow>& rows) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const ListRow& row : rows) {
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(row.text).c_str()));
        SendMessageW(list, LB_SETITEMDATA, at, row.value);
    }
    fitListBoxExtent(list);
}

namespace {

// A window's device context with the window's font selected, given back when
// it goes.
class FontContext {
public:
    explicit FontContext(HWND window) : window_(window), context_(GetDC(window)) {
        const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
        if (context_ != nullptr && font != nullptr) previous_ = SelectObject(context_, font);
    }
    ~FontContext() {
        if (previous_ != nullptr) SelectObject(context_, previous_);
        if (context_ != nullptr) ReleaseDC(window_, context_);
    }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;
    HDC get() const { return context_; }

private:
    HWND window_;
    HDC context_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace

void fitListBoxExtent(HWND list) {
    LONG widest = 0;
    {
        const FontContext context(list);
        if (context.get() == nullptr) return;
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        std::vector<wchar_t> text;
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            if (length <= 0) continue;
            text.assign(static_cast<std::size_t>(length) + 1, L'\0');
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            SIZE size{};
            if (GetTextExtentPoint32W(context.get(), text.data(), static_cast<int>(length), &size) && size.cx > widest)
                widest = size.cx;
        }
    }
    // The list draws its text a little in from the edge; the margin keeps the
    // last letter clear of the border when scrolled to the end.
    const int margin = widest > 0 ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + margin), 0);
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
