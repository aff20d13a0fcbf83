#pragma once

#include <windows.h>

#include <utility>

#include "core/setup/starter_edit_model.h"
#include "core/starters/starter_kind.h"
#include "core/starters/starter_record.h"
#include "platform/user_interface.h"

namespace quillmont::win32 {

// Edits the fields of one starter (dialog 202 for J2SE, 207 for J2ME, which also
// shows the start folder). The record changes only on a successful OK. With a
// filler, an emulator's archive picked or typed as the J2ME starter's program
// fills in the starter that runs it.
class StarterEditDialog {
public:
    StarterEditDialog(StarterRecord& record, StarterKind kind, UserInterface& ui, EmulatorFiller filler = {})
        : record_(record), kind_(kind), ui_(ui), filler_(std::move(filler)) {}
    // IDOK after the record was written, IDCANCEL otherwise.
    INT_PTR run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void initialize();
    bool command(int id);
    void browse();
    void offerSnippets();
    // Fills the fields the program calls for (a J2SE launcher's arguments, an
    // emulator archive's starter); true when it did.
    bool fillForProgram();
    bool fillJavaArguments();
    // Fills the fields when the program names an emulator's archive; true when it did.
    bool fillForEmulatorArchive();
    void confirm();

    StarterRecord& record_;
    StarterKind kind_;
    UserInterface& ui_;
    EmulatorFiller filler_;
    HWND dialog_ = nullptr;
    bool programTyped_ = false;  // the program field changed since it was last looked at
};

}  // namespace quillmont::win32
