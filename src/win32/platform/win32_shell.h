#pragma once

#include "platform/shell.h"

namespace quillmont::win32 {

class Win32Shell final : public Shell {
public:
    void notifyAssociationsChanged() override;
    void openUrl(const WideString& url) override;
};

}  // namespace quillmont::win32
