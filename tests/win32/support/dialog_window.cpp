#include "dialog_window.h"

#include <commctrl.h>

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

namespace {

// A block of memory in the process that owns a window: list view messages carry
// pointers, which must point into the list's own process, as they do when the
// list's own code sends them.
class MemoryOfWindow {
public:
    MemoryOfWindow(HWND window, std::size_t size) : size_(size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_ != nullptr)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~MemoryOfWindow() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    MemoryOfWindow(const MemoryOfWindow&) = delete;
    MemoryOfWindow& operator=(const MemoryOfWindow&) = delete;

    char* address() const { return static_cast<char*>(address_); }
    bool write(std::size_t offset, const void* data, std::size_t size) const {
        return address_ != nullptr && offset + size <= size_ &&
               WriteProcessMemory(process_, address() + offset, data, size, nullptr);
    }
    bool read(std::size_t offset, void* data, std::size_t size) const {
        return address_ != nullptr && offset + size <= size_ &&
               ReadProcessMemory(process_, address() + offset, data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

constexpr int kRowText = 512;

}  // namespace

namespace {
// A list view's item messages carry pointers, which the system does not marshal
// between processes: the item and its text go through memory in the list's own
// process (which may be this one).
class ListViewItemCall {
public:
    explicit ListViewItemCall(HWND list) : list_(list) {
        DWORD processId = 0;
        GetWindowThreadProcessId(list, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_ != nullptr)
            memory_ = static_cast<BYTE*>(
                VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~ListViewItemCall() {
        if (memory_ != nullptr) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    ListViewItemCall(const ListViewItemCall&) = delete;
    ListViewItemCall& operator=(const ListViewItemCall&) = delete;

    // Sends the message with the item; its text, when asked for, comes back in `text`.
    LRESULT send(UINT message, WPARAM wParam, LVITEMW item, std::wstring* text = nullptr) {
        if (memory_ == nullptr) return 0;
        wchar_t* remoteText = reinterpret_cast<wchar_t*>(memory_ + sizeof(LVITEMW));
        if (text != nullptr) {
            item.pszText = remoteText;
            item.cchTextMax = kTextLength;
            const wchar_t empty = L'\0';
            WriteProcessMemory(process_, remoteText, &empty, sizeof(empty), nullptr);
        }
        WriteProcessMemory(process_, memory_, &item, sizeof(item), nullptr);
        const LRESULT result = SendMessageW(list_, message, wParam, reinterpret_cast<LPARAM>(memory_));
        if (text != nullptr) {
            std::vector<wchar_t> buffer(kTextLength + 1, L'\0');
            ReadProcessMemory(process_, remoteText, buffer.data(), kTextLength * sizeof(wchar_t), nullptr);
            *text = buffer.data();
        }
        return result;
    }

private:
    static constexpr int kTextLength = 1024;
    static constexpr SIZE_T kSize = sizeof(LVITEMW) + kTextLength * sizeof(wchar_t);
    HWND list_;
    HANDLE process_ = nullptr;
    BYTE* memory_ = nullptr;
};

void setListViewState(HWND list, int index, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    ListViewItemCall(list).send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), item);
}
}  // namespace

std::vector<std::wstring> DialogWindow::listViewItems(int id) const {
    std::vector<std::wstring> items;
    const HWND list = control(id);
    ListViewItemCall call(list);
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text;
        call.send(LVM_GETITEMTEXTW, static_cast<WPARAM>(i), LVITEMW{}, &text);
        items.push_back(text);
    }
    return items;
}

std::vector<bool> DialogWindow::listViewChecks(int id) const {
    std::vector<bool> checks;
    const HWND list = control(id);
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        checks.push_back((SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
                         INDEXTOSTATEIMAGEMASK(2));
    return checks;
}

int DialogWindow::listViewSelection(int id) const {
    return static_cast<int>(SendMessageW(control(id), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void DialogWindow::checkListViewItem(int id, int index, bool checked) const {
    setListViewState(control(id), index, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void DialogWindow::selectListViewItem(int id, int index) const {
    const UINT selected = LVIS_SELECTED | LVIS_FOCUSED;
    if (index < 0) setListViewState(control(id), -1, 0, LVIS_SELECTED);
    else setListViewState(control(id), index, selected, selected);
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
