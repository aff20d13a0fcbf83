#pragma once

#include "platform/user_interface.h"

namespace quillmont::win32 {

class Win32UserInterface final : public UserInterface {
public:
    MessageAnswer showMessage(WindowRef owner, const WideString& text, MessageKind kind) override;
    FileChoice showFileOpenDialog(const FileOpenRequest& request) override;
    WindowRef activeWindow() override;
};

}  // namespace quillmont::win32
