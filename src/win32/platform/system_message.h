#pragma once

#include <windows.h>

#include "base/wide_string.h"

namespace quillmont::win32 {

// The system's text for an error code ("Access is denied."), without its line
// end; empty when it has none.
WideString systemMessage(DWORD code);

}  // namespace quillmont::win32
