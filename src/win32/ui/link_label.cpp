#include "win32/ui/link_label.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "win32/res/hand_cursor.h"
#include "win32/ui/dialog_framework.h"

namespace quillmont::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x4C4B;  // "LK"
constexpr LPARAM kKeyWasDown = 1 << 30;    // a key's repeats do not follow the link again

// The image drawn with each pixel as a square of pixels, as large as the system's
// cursors: 64 pixels at 192 dots per inch.
HCURSOR createHandCursor() {
    const int scale = std::max(1, GetSystemMetrics(SM_CXCURSOR) / kHandCursorSize);
    const int size = kHandCursorSize * scale;
    const int rowBytes = size / 8;
    std::vector<BYTE> andPlane(static_cast<std::size_t>(rowBytes * size)), xorPlane(andPlane.size());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const char pixel = kHandCursorImage[y / scale][x / scale];
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            const auto at = static_cast<std::size_t>(y * rowBytes + x / 8);
            if (pixel == ' ') andPlane[at] |= bit;   // transparent: AND 1, XOR 0
            if (pixel == '.') xorPlane[at] |= bit;   // white: AND 0, XOR 1
        }
    }
    return CreateCursor(programInstance(), kHandCursorHotSpotX * scale, kHandCursorHotSpotY * scale, size, size,
                        andPlane.data(), xorPlane.data());
}

}  // namespace

LinkLabel::LinkLabel() : hand_(createHandCursor()) {}

LinkLabel::~LinkLabel() {
    detach();
    if (underlinedFont_ != nullptr) DeleteObject(underlinedFont_);
    if (hand_ != nullptr) DestroyCursor(hand_);
}

bool LinkLabel::attach(HWND control) {
    detach();
    if (control == nullptr) return false;
    useFont(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    if (!SetWindowSubclass(control, &LinkLabel::procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    control_ = control;
    hovered_ = false;
    return true;
}

void LinkLabel::useFont(HFONT normal) {
    normalFont_ = normal;
    if (underlinedFont_ != nullptr) DeleteObject(underlinedFont_);
    underlinedFont_ = nullptr;
    LOGFONTW font{};
    if (GetObjectW(normalFont_ != nullptr ? normalFont_ : GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font)) {
        font.lfUnderline = TRUE;
        underlinedFont_ = CreateFontIndirectW(&font);
    }
}

void LinkLabel::detach() {
    if (control_ != nullptr) RemoveWindowSubclass(control_, &LinkLabel::procedure, kSubclassId);
    control_ = nullptr;
    hovered_ = false;
}

LRESULT CALLBACK LinkLabel::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    auto* label = reinterpret_cast<LinkLabel*>(self);
    if (label == nullptr || label->control_ != window) return DefSubclassProc(window, message, wParam, lParam);
    return label->handle(message, wParam, lParam);
}

LRESULT LinkLabel::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND control = control_;
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(control, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_SETCURSOR:
            SetCursor(hand_);
            return TRUE;
        case WM_MOUSEMOVE:
            if (!hovered_) {
                hovered_ = true;
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control, HOVER_DEFAULT};
                TrackMouseEvent(&track);
                RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            }
            return 0;
        case WM_MOUSELEAVE:
            if (hovered_) {
                hovered_ = false;
                RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            // The click fires on the press; the right button acts like the left.
            follow();
            return 0;
        case WM_GETDLGCODE: {
            // A button to the dialog manager, so that its mnemonic presses it; while it
            // has the focus, Enter follows the link rather than the default button.
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            const bool enter = key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
            return DLGC_BUTTON | (enter ? DLGC_WANTMESSAGE : 0);
        }
        case BM_CLICK:
            follow();
            return 0;
        case WM_KEYDOWN:
            if ((wParam != VK_RETURN && wParam != VK_SPACE) || (lParam & kKeyWasDown) != 0) break;
            follow();
            return 0;
        case WM_SETFONT:
            // A per-monitor aware dialog that moves to a screen of another resolution
            // gives its controls new fonts and deletes the old ones.
            useFont(reinterpret_cast<HFONT>(wParam));
            break;
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:  // the mnemonic's underline or the focus rectangle appears
            InvalidateRect(control, nullptr, TRUE);
            break;
        case WM_NCDESTROY: {
            detach();
            return DefSubclassProc(control, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void LinkLabel::follow() { SendMessageW(GetParent(control_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control_), 0), 0); }

void LinkLabel::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control_, &ps);
    const bool lit = hovered_ && IsWindowEnabled(control_);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, lit && underlinedFont_ != nullptr ? underlinedFont_ : normalFont_);
    SetTextColor(dc, lit ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT));
    const int length = GetWindowTextLengthW(control_);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control_, text.data(), length + 1);
    RECT client;
    GetClientRect(control_, &client);
    const LONG_PTR style = GetWindowLongPtrW(control_, GWL_STYLE);
    const bool centred = (style & SS_TYPEMASK) == SS_CENTER;
    const LRESULT hidden = SendMessageW(control_, WM_QUERYUISTATE, 0, 0);
    UINT format = DT_SINGLELINE | (centred ? DT_CENTER : DT_LEFT);
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    else if (hidden & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
    DrawTextW(dc, text.data(), length, &client, format | DT_VCENTER);
    if (GetFocus() == control_ && (hidden & UISF_HIDEFOCUS) == 0) {
        RECT box{};  // around the text, placed as the text was
        DrawTextW(dc, text.data(), length, &box, format | DT_CALCRECT);
        OffsetRect(&box, centred ? (client.right - box.right) / 2 : 0, (client.bottom - box.bottom) / 2);
        IntersectRect(&box, &box, &client);
        DrawFocusRect(dc, &box);
    }
    SelectObject(dc, oldFont);
    EndPaint(control_, &ps);
}

}  // namespace quillmont::win32
