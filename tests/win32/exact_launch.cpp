// Starts the command line in QUILLMONT_EXACT_COMMAND_LINE exactly as written, waits
// for it and returns its exit code. `wine prog ARGS` re-quotes its arguments, so
// scripts that need a precise command line (screenshots of the error boxes) go
// through this program and an environment variable instead.
#include <windows.h>

#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<wchar_t> line(32768);
    const DWORD length = GetEnvironmentVariableW(L"QUILLMONT_EXACT_COMMAND_LINE", line.data(),
                                                 static_cast<DWORD>(line.size()));
    if (length == 0 || length >= line.size()) return 2;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created))
        return 3;
    CloseHandle(created.hThread);
    WaitForSingleObject(created.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(created.hProcess, &code);
    CloseHandle(created.hProcess);
    return static_cast<int>(code);
}
