#pragma once

#include <windows.h>

#include "win32/platform/unique_owner.h"

namespace quillmont::win32 {

// A kernel handle closed with CloseHandle. The calls that make one fail with
// either null or INVALID_HANDLE_VALUE, so neither is closed.
struct HandleCloser {
    using Handle = HANDLE;
    static Handle empty() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};

using UniqueHandle = UniqueOwner<HandleCloser>;

}  // namespace quillmont::win32
