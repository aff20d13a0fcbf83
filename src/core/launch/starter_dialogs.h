#pragma once

#include <cstdint>

#include "base/wide_string.h"
#include "core/starters/starter_kind.h"
#include "platform/window_ref.h"

namespace quillmont {

// Dialog results use the command numbers of the buttons that closed them.
enum class DialogResult { Ok = 1, Cancel = 2 };

struct StarterSelection {
    DialogResult result = DialogResult::Cancel;
    std::int32_t slot = 0;  // the chosen starter; 0 when none
};

// The three answers of the dialog that reports a wrong MIDlet-Jar-Size.
enum class JadSizeAnswer { CorrectThisFile, CreateTemporaryFile, Cancel };

// What the dialog reports: the archive's size and the declared one, and, for a
// descriptor that names its archive by a web address, that address and the name
// of the archive found beside the descriptor or chosen by the user.
struct JadRepair {
    std::uint32_t jarSize = 0;
    std::uint32_t declaredSize = 0;
    WideString webAddress;   // empty: the descriptor names its archive by a relative URL
    WideString archiveName;  // with a web address: the archive used instead
    bool archiveChosen = false;  // the user chose it, as none beside had the names looked for
};

// The program's own modal dialogs, as the portable flows start them. The Win32
// layer runs the real dialogs from the resource script; tests answer from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The setup dialog; on Ok it has saved both starter lists.
    virtual DialogResult runSetupDialog(WindowRef owner) = 0;
    // The starter selection dialog of one kind.
    virtual StarterSelection runSelectionDialog(StarterKind kind, WindowRef owner) = 0;
    virtual JadSizeAnswer runJadSizeDialog(const JadRepair& repair, WindowRef owner) = 0;
};

}  // namespace quillmont
