#pragma once

#include <windows.h>
#include <wininet.h>

#include "win32/platform/unique_owner.h"

namespace quillmont::win32 {

// A WinINet handle (a session, a connection or a request). Only its owner closes
// it, and only on the thread that uses it: WinINet may give a closed handle's
// value to the next handle it opens, so a second close, or one from elsewhere
// after the owner's, could end another request.
struct InternetCloser {
    using Handle = HINTERNET;
    static Handle empty() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr; }
    static void close(Handle handle) { InternetCloseHandle(handle); }
};

using UniqueInternet = UniqueOwner<InternetCloser>;

}  // namespace quillmont::win32
