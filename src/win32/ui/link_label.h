#pragma once

#include <windows.h>

namespace quillmont::win32 {

// A static text control that behaves as a hyperlink: hand cursor, blue and
// underlined while the mouse is over it, and on a left or right button press a
// WM_COMMAND to the parent with the control's id, code 0 and no control handle.
// From the keyboard it is a button: a tab stop in the template makes it one, it
// shows a focus rectangle, and Enter, Space or its mnemonic follow it.
// Lives as long as the dialog object that holds it.
class LinkLabel {
public:
    LinkLabel();
    ~LinkLabel();
    LinkLabel(const LinkLabel&) = delete;
    LinkLabel& operator=(const LinkLabel&) = delete;

    // Subclasses the control; false leaves it a plain static text.
    bool attach(HWND control);

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void follow();
    void useFont(HFONT normal);
    void detach();

    HWND control_ = nullptr;
    HFONT normalFont_ = nullptr;
    HFONT underlinedFont_ = nullptr;
    HCURSOR hand_ = nullptr;
    bool hovered_ = false;
};

}  // namespace quillmont::win32
