#pragma once

#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_interface.h"

namespace quillmont::win32 {

class Win32Dialogs final : public Dialogs {
public:
    Win32Dialogs(UserInterface& ui, Registry& registry, Shell& shell) : ui_(ui), registry_(registry), shell_(shell) {}
    DialogResult runSetupDialog(WindowRef owner) override;
    StarterSelection runSelectionDialog(StarterKind kind, WindowRef owner) override;
    JadSizeAnswer runJadSizeDialog(std::uint32_t jarSize, std::uint32_t declaredSize, WindowRef owner) override;

private:
    UserInterface& ui_;
    Registry& registry_;
    Shell& shell_;
};

}  // namespace quillmont::win32
