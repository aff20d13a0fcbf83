#pragma once

#include <windows.h>

#include "base/wide_string.h"

namespace quillmont::win32 {

// The system's text for an error code ("Access is denied."), without its line
// end; empty when it has none. Its inserts stay as written ("Bad EXE format for
// %1."): only the caller knows what they stand for (fillSystemInserts).
WideString systemMessage(DWORD code);

}  // namespace quillmont::win32
