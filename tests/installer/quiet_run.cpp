// Runs a command line exactly as given (as Windows runs an uninstall entry's
// QuietUninstallString) and names every visible top-level window that appears
// meanwhile, one line each. With KEY it watches on after the command ended,
// until HKCU\KEY is gone and one second more (an NSIS uninstaller returns at
// once and does its work from a copy of itself). Exits with the command's code.
//   quiet_run.exe COMMAND-LINE [KEY]
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

std::set<HWND> seen;

BOOL CALLBACK noteWindow(HWND window, LPARAM report) {
    if (!IsWindowVisible(window) || !seen.insert(window).second || report == 0) return TRUE;
    wchar_t name[128] = {}, title[256] = {};
    GetClassNameW(window, name, 128);
    GetWindowTextW(window, title, 256);
    std::fwprintf(stdout, L"a window: class %ls, title \"%ls\"\n", name, title);
    return TRUE;
}

bool keyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    constexpr int kHelperFailed = 100;
    if (argc != 2 && argc != 3) return kHelperFailed;
    EnumWindows(noteWindow, 0);  // the windows that were there before
    std::wstring command = argv[1];
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"could not start %ls (error %lu)\n", argv[1], GetLastError());
        return kHelperFailed;
    }
    const ULONGLONG limit = GetTickCount64() + 90000;
    ULONGLONG done = 0;
    bool ended = false;
    while (done == 0 || GetTickCount64() < done) {
        EnumWindows(noteWindow, 1);
        if (!ended) ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        else Sleep(10);
        if (done == 0 && ended && (argc == 2 || !keyExists(argv[2]))) done = GetTickCount64() + (argc == 2 ? 0 : 1000);
        if (GetTickCount64() > limit) {
            std::fputws(L"the command was not done within 90 seconds\n", stderr);
            return kHelperFailed;
        }
    }
    DWORD code = kHelperFailed;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}
