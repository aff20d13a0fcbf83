// Opens a file the way Explorer does on a double click when the user's own
// association is set: the extension's class is read from the user's classes
// (HKCU\Software\Classes\<ext>), and the shell runs that class's open command
// with the file. Waits for the started program and exits with its exit code.
//   shell_open.exe FILE
// Wine does not merge the user's classes into HKEY_CLASSES_ROOT, so the class
// key is handed to the shell explicitly; the command's placeholders are still
// filled in by ShellExecuteExW itself (Wine fills %* with the file there, not
// with parameters, so none are passed).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kHelperFailed = 100;

std::wstring userClassOf(const std::wstring& file) {
    const auto dot = file.find_last_of(L'.');
    if (dot == std::wstring::npos) return {};
    const std::wstring key = L"Software\\Classes\\" + file.substr(dot);
    wchar_t name[256];
    DWORD bytes = sizeof(name);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, name, &bytes) != ERROR_SUCCESS)
        return {};
    return name;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputws(L"usage: shell_open.exe FILE\n", stderr);
        return kHelperFailed;
    }
    const std::wstring file = argv[1];
    const std::wstring programClass = userClassOf(file);
    if (programClass.empty()) {
        std::fwprintf(stderr, L"no class for %ls in the user's classes\n", file.c_str());
        return kHelperFailed;
    }
    HKEY classKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + programClass).c_str(), 0, KEY_READ, &classKey) !=
        ERROR_SUCCESS) {
        std::fwprintf(stderr, L"the class %ls is missing\n", programClass.c_str());
        return kHelperFailed;
    }
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_CLASSKEY | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    info.hkeyClass = classKey;
    const BOOL started = ShellExecuteExW(&info);
    RegCloseKey(classKey);
    if (!started || info.hProcess == nullptr) {
        std::fwprintf(stderr, L"the shell did not start the class's command (error %lu)\n", GetLastError());
        return kHelperFailed;
    }
    DWORD code = kHelperFailed;
    if (WaitForSingleObject(info.hProcess, 60000) != WAIT_OBJECT_0 || !GetExitCodeProcess(info.hProcess, &code)) {
        std::fputws(L"the started program did not end within a minute\n", stderr);
        TerminateProcess(info.hProcess, kHelperFailed);
        code = kHelperFailed;
    }
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}
