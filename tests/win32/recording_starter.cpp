// A stand-in for a Java launcher or an emulator: it writes the exact command line
// it was started with (UTF-16, no BOM) to the file that QUILLMONT_RECORD_FILE
// names, through a temporary file so that a reader never sees half a line. Its
// current folder goes first into that name + ".folder".
#include <windows.h>

#include <string>
#include <vector>

namespace {

bool writeWhole(const std::wstring& path, const wchar_t* text) {
    const DWORD bytes = static_cast<DWORD>(lstrlenW(text) * sizeof(wchar_t));
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(out, text, bytes, &written, nullptr);
    CloseHandle(out);
    return ok && written == bytes;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<wchar_t> target(32768);
    const DWORD length = GetEnvironmentVariableW(L"QUILLMONT_RECORD_FILE", target.data(),
                                                 static_cast<DWORD>(target.size()));
    if (length == 0 || length >= target.size()) return 2;
    const std::wstring file(target.data(), length);
    const std::wstring partial = file + L".part";

    std::vector<wchar_t> folder(32768);
    if (GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()) == 0) return 3;
    if (!writeWhole(file + L".folder", folder.data())) return 3;
    if (!writeWhole(partial, GetCommandLineW())) return 4;
    return MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
