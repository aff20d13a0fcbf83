// Answers Quillmont's size dialog with "Correct this JAD file", so that a whole
// run that corrects a descriptor can be timed without a person at the screen.
//
//   answer_size_dialog.exe READY_FILE [TIMEOUT_MS]
//
// It creates READY_FILE once it is watching (the script starts Quillmont.exe only
// then, so the dialog never waits for this program to come up), presses the
// button of the first size dialog it sees and exits with 0; 1 when none came in
// time, 2 on a bad command line.
#include <windows.h>

#include <cwchar>

namespace {

constexpr int kSizeTextId = 1022;  // the static text only the size dialog has

// A visible dialog called "Quillmont" with the size dialog's text control.
BOOL CALLBACK findSizeDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    wchar_t caption[32] = {};
    if (!IsWindowVisible(window) || GetClassNameW(window, className, 16) == 0 ||
        std::wcscmp(className, L"#32770") != 0)
        return TRUE;
    GetWindowTextW(window, caption, 32);
    if (std::wcscmp(caption, L"Quillmont") != 0 || GetDlgItem(window, kSizeTextId) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const DWORD timeoutMs = argc >= 3 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 60000;

    HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 2;
    CloseHandle(ready);

    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
        HWND dialog = nullptr;
        EnumWindows(findSizeDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog != nullptr) {
            // What a click on the button sends, without needing the focus.
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            return 0;
        }
        // Often enough that the wait adds little to the run being timed, seldom
        // enough that the polling takes no noticeable share of the processor.
        Sleep(5);
    }
    return 1;
}
