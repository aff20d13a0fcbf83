#pragma once

#include "platform/shell.h"

namespace quillmont::testing {

class FakeShell final : public Shell {
public:
    int associationNotifications = 0;
    void notifyAssociationsChanged() override { ++associationNotifications; }
};

}  // namespace quillmont::testing
