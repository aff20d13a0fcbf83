#pragma once

#include "platform/window_ref.h"

namespace quillmont {

// Dialog results use the command numbers of the buttons that closed them.
enum class DialogResult { Ok = 1, Cancel = 2 };

// The program's own modal dialogs, as the portable flows start them. The Win32
// layer runs the real dialogs from the resource script; tests answer from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The setup dialog; on Ok it has saved both starter lists.
    virtual DialogResult runSetupDialog(WindowRef owner) = 0;
};

}  // namespace quillmont
