// The yardstick for Quillmont's launch cost: the least a Windows program with
// Quillmont's start-up can do to start a starter. It initialises COM and the
// common controls, holds the same named mutex, starts the command line it is
// given and exits; it carries Quillmont's manifest (common controls 6, DPI
// awareness), so the system prepares the same activation context.
//
//   QUILLMONT_CHILD_COMMAND_LINE=... minimal_launcher.exe
//
// The child's command line comes from the environment, so that no shell or
// Wine quoting changes it. Exits with 0 once the child is started, 1 when it
// could not be, 2 without a command line.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static wchar_t commandLine[32768];
    const DWORD length = GetEnvironmentVariableW(L"QUILLMONT_CHILD_COMMAND_LINE", commandLine, 32768);
    if (length == 0 || length >= 32768) return 2;

    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"{37A0C091-CE8E-4408-A246-0BC9812256B8}");
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (mutex != nullptr) CloseHandle(mutex);
    if (com) CoUninitialize();
    return started ? 0 : 1;
}
