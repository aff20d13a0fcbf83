#pragma once

#include <windows.h>

#include "core/starters/starter_kind.h"
#include "core/starters/starter_record.h"
#include "platform/user_interface.h"

namespace quillmont::win32 {

// Edits the three fields of one starter (dialog 202 for J2SE, 207 for J2ME).
// The record changes only on a successful OK.
class StarterEditDialog {
public:
    StarterEditDialog(StarterRecord& record, StarterKind kind, UserInterface& ui)
        : record_(record), kind_(kind), ui_(ui) {}
    // IDOK after the record was written, IDCANCEL otherwise.
    INT_PTR run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void initialize();
    bool command(int id);
    void browse();
    void offerSnippets();
    void confirm();

    StarterRecord& record_;
    StarterKind kind_;
    UserInterface& ui_;
    HWND dialog_ = nullptr;
};

}  // namespace quillmont::win32
