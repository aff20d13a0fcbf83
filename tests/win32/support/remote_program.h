#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win32/platform/unique_handle.h"

namespace quillmont::testing {

// Printed when a started program never got going: CreateProcessW failed, or the
// program ended before it showed any window although the test waited for one.
// Wine now and then does this to a process that Windows would run; the test
// command runs a test that failed with this line once more and counts it apart.
inline constexpr char kWineStartMarker[] = "[wine-start]";

// Another program started with an exact command line (through CreateProcessW, as
// `wine prog ARGS` would re-quote the arguments), watched from outside.
class RemoteProgram {
public:
    // Starts the program; `valid()` tells whether that worked.
    explicit RemoteProgram(const std::wstring& commandLine);
    ~RemoteProgram();
    RemoteProgram(const RemoteProgram&) = delete;
    RemoteProgram& operator=(const RemoteProgram&) = delete;

    bool valid() const { return process_.valid(); }
    // Why the program did not start (GetLastError), 0 when it did.
    unsigned long startError() const { return startError_; }
    // The first visible dialog (#32770) of the program, or null after the timeout
    // or once the program has ended.
    HWND waitForDialog(unsigned timeoutMs = 20000) const;
    // The same for the first enabled dialog with this caption.
    HWND waitForDialogTitled(const std::wstring& caption, unsigned timeoutMs = 20000) const;
    // The first visible dialog other than `previous` (one that is closing).
    HWND waitForDialogAfter(HWND previous, unsigned timeoutMs = 20000) const;
    // The exit code, or nothing when the program is still running after the timeout.
    std::optional<DWORD> waitForExit(unsigned timeoutMs = 20000) const;

private:
    HWND find(const std::wstring* caption, HWND except, unsigned timeoutMs) const;

    win32::UniqueHandle process_;
    mutable bool shownAWindow_ = false;
    DWORD processId_ = 0;
    unsigned long startError_ = 0;
};

}  // namespace quillmont::testing
