#pragma once

#include <windows.h>

#include "win32/platform/unique_owner.h"

namespace quillmont::win32 {

// A directory search handle (FindFirstFileW), which only FindClose may end.
// FindFirstFileW fails with INVALID_HANDLE_VALUE, so that is the empty value.
struct FindCloser {
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle search) { return search != INVALID_HANDLE_VALUE && search != nullptr; }
    static void close(Handle search) { FindClose(search); }
};

using UniqueFind = UniqueOwner<FindCloser>;

}  // namespace quillmont::win32
