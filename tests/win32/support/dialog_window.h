#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillmont::testing {

// A dialog or message box as a user sees it: its caption, its controls and their
// texts, states and items; and the clicks, selections and keys a user would give
// it. Works on dialogs of this process and of other processes alike (the window
// messages it sends are ones the system marshals between processes; a list
// view's items go through memory in the list's own process).
class DialogWindow {
public:
    explicit DialogWindow(HWND window) : window_(window) {}

    HWND handle() const { return window_; }
    std::wstring caption() const;
    HWND owner() const { return GetWindow(window_, GW_OWNER); }

    struct Control {
        HWND handle;
        int id;
        std::wstring className;
        std::wstring text;
        DWORD style;
        bool visible;
        bool enabled;
    };
    // Every child control in tab (creation) order.
    std::vector<Control> controls() const;
    HWND control(int id) const { return GetDlgItem(window_, id); }
    bool hasControl(int id) const { return control(id) != nullptr; }
    std::wstring text(int id) const;
    bool isEnabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    // Texts of the static controls that show text, in order (a message box's message).
    std::vector<std::wstring> staticTexts() const;
    // Texts of the push buttons, in order.
    std::vector<std::wstring> buttonTexts() const;
    // The icon a static icon control shows; only meaningful in this process.
    HICON icon() const;
    // The screen rectangle of the first static icon control (empty when none).
    RECT iconRect() const;

    std::vector<std::wstring> comboItems(int id) const;
    int comboSelection(int id) const;
    std::vector<std::wstring> listItems(int id) const;
    int listSelection(int id) const;
    // A list view's rows in display order, their check boxes and the selected
    // row (-1 for none). List view messages carry pointers, which the system does
    // not marshal; they point into memory of the list's own process.
    std::vector<std::wstring> listViewItems(int id) const;
    std::vector<bool> listViewChecks(int id) const;
    int listViewSelection(int id) const;

    // Actions are posted, so that a step returns at once even when the click opens
    // another modal dialog.
    void click(int id) const;
    void setText(int id, const std::wstring& text) const;
    void selectComboItem(int id, int index) const;
    void selectListItem(int id, int index) const;
    void doubleClickListItem(int id, int index) const;
    // What a click on a row's check box or on the row itself does to a list view
    // (row -1 clears the selection); the list view tells the dialog as for a click.
    void checkListViewItem(int id, int index, bool checked) const;
    void selectListViewItem(int id, int index) const;
    void pressEscape() const;
    void closeBox() const;  // the title bar's close box

private:
    HWND window_;
};

std::wstring windowText(HWND window);
std::wstring windowClass(HWND window);

}  // namespace quillmont::testing
