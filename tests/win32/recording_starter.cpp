// A stand-in for a Java launcher or an emulator: it writes the exact command line
// it was started with (UTF-16, no BOM) to the file that QUILLMONT_RECORD_FILE
// names, through a temporary file so that a reader never sees half a line.
#include <windows.h>

#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<wchar_t> target(32768);
    const DWORD length = GetEnvironmentVariableW(L"QUILLMONT_RECORD_FILE", target.data(),
                                                 static_cast<DWORD>(target.size()));
    if (length == 0 || length >= target.size()) return 2;
    const std::wstring file(target.data(), length);
    const std::wstring partial = file + L".part";

    const wchar_t* line = GetCommandLineW();
    const DWORD bytes = static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t));
    HANDLE out = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(out, line, bytes, &written, nullptr);
    CloseHandle(out);
    if (!ok || written != bytes) return 4;
    return MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
