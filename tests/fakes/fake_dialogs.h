#pragma once

#include <vector>

#include "platform/dialogs.h"

namespace quillmont::testing {

class FakeDialogs final : public Dialogs {
public:
    std::vector<WindowRef> setupOwners;  // one entry per run of the setup dialog
    DialogResult setupResult = DialogResult::Cancel;

    DialogResult runSetupDialog(WindowRef owner) override {
        setupOwners.push_back(owner);
        return setupResult;
    }
};

}  // namespace quillmont::testing
