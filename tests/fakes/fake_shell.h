#pragma once

#include <vector>

#include "platform/shell.h"

namespace quillmont::testing {

class FakeShell final : public Shell {
public:
    int associationNotifications = 0;
    std::vector<WideString> openedUrls;
    void notifyAssociationsChanged() override { ++associationNotifications; }
    void openUrl(const WideString& url) override { openedUrls.push_back(url); }
};

}  // namespace quillmont::testing
