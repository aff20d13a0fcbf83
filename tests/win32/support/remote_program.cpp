#include "remote_program.h"

#include <cstdio>
#include <vector>

#include "dialog_window.h"

namespace quillmont::testing {

namespace {
struct Search {
    DWORD processId;
    const std::wstring* caption;
    HWND except;
    HWND found;
    bool anyWindow;
};

BOOL CALLBACK findDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->anyWindow = true;
    if (window != search->except && windowClass(window) == L"#32770" &&
        (search->caption == nullptr || (IsWindowEnabled(window) && windowText(window) == *search->caption))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

RemoteProgram::RemoteProgram(const std::wstring& commandLine) {
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created)) {
        process_.reset(created.hProcess);
        CloseHandle(created.hThread);
        processId_ = created.dwProcessId;
    } else {
        startError_ = GetLastError();
        std::printf("%s CreateProcessW failed with error %lu\n", kWineStartMarker, startError_);
    }
}

RemoteProgram::~RemoteProgram() {
    if (valid() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

HWND RemoteProgram::waitForDialog(unsigned timeoutMs) const { return find(nullptr, nullptr, timeoutMs); }

HWND RemoteProgram::waitForDialogTitled(const std::wstring& caption, unsigned timeoutMs) const {
    return find(&caption, nullptr, timeoutMs);
}

HWND RemoteProgram::waitForDialogAfter(HWND previous, unsigned timeoutMs) const {
    return find(nullptr, previous, timeoutMs);
}

HWND RemoteProgram::find(const std::wstring* caption, HWND except, unsigned timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (valid() && GetTickCount64() < deadline) {
        Search search{processId_, caption, except, nullptr, false};
        EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
        shownAWindow_ = shownAWindow_ || search.anyWindow;
        if (search.found != nullptr) return search.found;
        if (WaitForSingleObject(process_.get(), 50) == WAIT_OBJECT_0) {
            if (!shownAWindow_) {
                DWORD code = 0;
                GetExitCodeProcess(process_.get(), &code);
                std::printf("%s the program ended with exit code 0x%08lx before it showed any window\n",
                            kWineStartMarker, code);
            }
            return nullptr;
        }
    }
    return nullptr;
}

std::optional<DWORD> RemoteProgram::waitForExit(unsigned timeoutMs) const {
    if (!valid() || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace quillmont::testing
