#pragma once

#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_interface.h"

namespace quillmont {

// The "File Associations..." command: after the user agrees, points .jad and
// .jar of the current user at the classes Quillmont.jad and Quillmont.jar,
// creating them for `program` (the running Quillmont.exe) when the installer did
// not; the handler an extension had stays in its OpenWithProgids. It tells the
// shell and then the user what was done; where Windows keeps a choice of the
// user's own for an extension (UserChoice), it says that this choice still wins
// and offers to open the Default apps settings. Registry failures are silent;
// each extension is tried on its own.
void associateFileTypes(WindowRef owner, UserInterface& ui, Registry& registry, Shell& shell, const WideString& program);

}  // namespace quillmont
