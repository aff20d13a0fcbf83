#pragma once

#include "platform/dialogs.h"

namespace quillmont::win32 {

class Win32Dialogs final : public Dialogs {
public:
    DialogResult runSetupDialog(WindowRef owner) override;
};

}  // namespace quillmont::win32
