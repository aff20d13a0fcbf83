#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/launch/starter_dialogs.h"

namespace quillmont::testing {

class FakeDialogs final : public Dialogs {
public:
    struct SelectionRun {
        StarterKind kind;
        WindowRef owner;
    };
    struct SizeRun {
        std::uint32_t jarSize;
        std::uint32_t declaredSize;
        WindowRef owner;
        WideString webAddress;
        WideString archiveName;
        bool archiveChosen;
    };

    std::vector<WindowRef> setupOwners;  // one entry per run of the setup dialog
    DialogResult setupResult = DialogResult::Cancel;
    std::function<void()> onSetup;       // what the user does in the setup dialog

    std::vector<SelectionRun> selectionRuns;
    StarterSelection selection;          // the answer of every selection dialog

    std::vector<SizeRun> sizeRuns;
    JadSizeAnswer sizeAnswer = JadSizeAnswer::Cancel;
    std::function<void()> onSizeDialog;  // what happens meanwhile

    // Every dialog in the order shown: "setup", "selection", "size".
    std::vector<std::string> shown;

    DialogResult runSetupDialog(WindowRef owner) override {
        shown.push_back("setup");
        setupOwners.push_back(owner);
        if (onSetup) onSetup();
        return setupResult;
    }

    StarterSelection runSelectionDialog(StarterKind kind, WindowRef owner) override {
        shown.push_back("selection");
        selectionRuns.push_back({kind, owner});
        return selection;
    }

    JadSizeAnswer runJadSizeDialog(const JadRepair& repair, WindowRef owner) override {
        shown.push_back("size");
        sizeRuns.push_back(
            {repair.jarSize, repair.declaredSize, owner, repair.webAddress, repair.archiveName, repair.archiveChosen});
        if (onSizeDialog) onSizeDialog();
        return sizeAnswer;
    }
};

}  // namespace quillmont::testing
