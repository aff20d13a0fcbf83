#pragma once

#include <windows.h>

#include "platform/shell.h"
#include "win32/ui/link_label.h"

namespace quillmont::win32 {

// The About dialog: name, version and a link to the home page. One modal run.
class AboutDialog {
public:
    explicit AboutDialog(Shell& shell) : shell_(shell) {}
    // IDOK or IDCANCEL; no caller uses it.
    INT_PTR run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void initialize(HWND dialog);
    bool command(HWND dialog, int id);

    Shell& shell_;
    LinkLabel homePage_;
};

}  // namespace quillmont::win32
