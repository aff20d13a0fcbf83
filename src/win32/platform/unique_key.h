#pragma once

#include <windows.h>

#include "win32/platform/unique_owner.h"

namespace quillmont::win32 {

// An open registry key, closed with RegCloseKey.
struct KeyCloser {
    using Handle = HKEY;
    static Handle empty() { return nullptr; }
    static bool valid(Handle key) { return key != nullptr; }
    static void close(Handle key) { RegCloseKey(key); }
};

using UniqueKey = UniqueOwner<KeyCloser>;

}  // namespace quillmont::win32
