#pragma once

#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_interface.h"

namespace quillmont {

// The "File Associations..." command: after the user agrees, points .jad and
// .jar of the current user at the classes Quillmont.jad and Quillmont.jar and
// tells the shell. Failures are silent; each extension is tried on its own.
void associateFileTypes(WindowRef owner, UserInterface& ui, Registry& registry, Shell& shell);

}  // namespace quillmont
