#include "dialog_window.h"

#include <vector>

namespace quillmont::testing {

std::wstring windowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::wstring windowClass(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring DialogWindow::caption() const { return windowText(window_); }

std::vector<DialogWindow::Control> DialogWindow::controls() const {
    std::vector<Control> found;
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        found.push_back({child, GetDlgCtrlID(child), windowClass(child), windowText(child),
                         static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)), IsWindowVisible(child) != FALSE,
                         IsWindowEnabled(child) != FALSE});
    }
    return found;
}

std::wstring DialogWindow::text(int id) const { return windowText(control(id)); }

namespace {
bool isIconStatic(const DialogWindow::Control& c) {
    return _wcsicmp(c.className.c_str(), L"Static") == 0 && (c.style & SS_TYPEMASK) == SS_ICON;
}
bool isTextStatic(const DialogWindow::Control& c) {
    const DWORD type = c.style & SS_TYPEMASK;
    return _wcsicmp(c.className.c_str(), L"Static") == 0 && type != SS_ICON && type != SS_BITMAP &&
           !c.text.empty();
}
bool isPushButton(const DialogWindow::Control& c) {
    const DWORD type = c.style & BS_TYPEMASK;
    return _wcsicmp(c.className.c_str(), L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}
}  // namespace

std::vector<std::wstring> DialogWindow::staticTexts() const {
    std::vector<std::wstring> texts;
    for (const Control& c : controls())
        if (isTextStatic(c) && c.visible) texts.push_back(c.text);
    return texts;
}

std::vector<std::wstring> DialogWindow::buttonTexts() const {
    std::vector<std::wstring> texts;
    for (const Control& c : controls())
        if (isPushButton(c) && c.visible) texts.push_back(c.text);
    return texts;
}

HICON DialogWindow::icon() const {
    for (const Control& c : controls())
        if (isIconStatic(c)) return reinterpret_cast<HICON>(SendMessageW(c.handle, STM_GETICON, 0, 0));
    return nullptr;
}

RECT DialogWindow::iconRect() const {
    RECT rect{};
    for (const Control& c : controls())
        if (isIconStatic(c) && c.visible) {
            GetWindowRect(c.handle, &rect);
            break;
        }
    return rect;
}

namespace {
// The item texts of a combo box or list box, through its own count/length/text messages.
std::vector<std::wstring> itemTexts(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::vector<wchar_t> text(static_cast<std::size_t>(SendMessageW(control, lengthMessage, i, 0)) + 1, L'\0');
        SendMessageW(control, textMessage, i, reinterpret_cast<LPARAM>(text.data()));
        items.emplace_back(text.data());
    }
    return items;
}
}  // namespace

std::vector<std::wstring> DialogWindow::comboItems(int id) const {
    return itemTexts(control(id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int DialogWindow::comboSelection(int id) const {
    return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0));
}

std::vector<std::wstring> DialogWindow::listItems(int id) const {
    return itemTexts(control(id), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int DialogWindow::listSelection(int id) const {
    return static_cast<int>(SendMessageW(control(id), LB_GETCURSEL, 0, 0));
}

void DialogWindow::click(int id) const { PostMessageW(control(id), BM_CLICK, 0, 0); }

void DialogWindow::setText(int id, const std::wstring& text) const {
    SetWindowTextW(control(id), text.c_str());
}

void DialogWindow::selectComboItem(int id, int index) const {
    const HWND combo = control(id);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void DialogWindow::selectListItem(int id, int index) const {
    const HWND list = control(id);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void DialogWindow::doubleClickListItem(int id, int index) const {
    selectListItem(id, index);
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(control(id)));
}

void DialogWindow::pressEscape() const {
    // The key goes to the focused control, where the modal loop's IsDialogMessage
    // turns it into the dialog's Cancel command, as it does for a real key press.
    HWND target = GetFocus();
    if (target == nullptr || (target != window_ && !IsChild(window_, target))) target = window_;
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
}

void DialogWindow::closeBox() const { PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace quillmont::testing
