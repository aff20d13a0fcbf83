#pragma once

#include <optional>

#include "base/wide_string.h"
#include "platform/user_interface.h"

namespace quillmont {

// The file the user chose in a file-open dialog, or nothing when they cancelled.
// A dialog that failed is not the user's cancel: they are told, with the
// system's error code, and the caller goes on as after one.
std::optional<WideString> chooseFile(UserInterface& ui, const FileOpenRequest& request);

}  // namespace quillmont
