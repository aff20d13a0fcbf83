#pragma once

#include <windows.h>

#include <optional>
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
    // emulator archive's starter) or takes an emulator's fill back; true when
    // the fields changed or the user was told why not, for OK to stay open.
    bool fillForProgram();
    bool fillJavaArguments();
    enum class EmulatorOutcome { Filled, NotAnEmulator, Refused };
    // Fills the fields when the program is an emulator's archive; Refused when
    // the user was told why it cannot be.
    EmulatorOutcome fillForEmulatorArchive();
    // Clears what an emulator's fill left that no longer fits the program; true
    // when a field changed.
    bool takeBackFill();
    StarterRecord fields() const;
    void confirm();

    StarterRecord& record_;
    StarterKind kind_;
    UserInterface& ui_;
    EmulatorFiller filler_;
    HWND dialog_ = nullptr;
    bool programTyped_ = false;  // the program field changed since it was last looked at
    std::optional<StarterRecord> filled_;  // the fields as an emulator's fill left them
};

}  // namespace quillmont::win32
