// A stand-in for a Java launcher or an emulator: it writes the exact command line
// it was started with (UTF-16, no BOM) to the file that QUILLMONT_RECORD_FILE
// names, through a temporary file so that a reader never sees half a line. Its
// current folder goes first into that name + ".folder".
// Built as ansi_starter it stands in for java.exe, which takes its arguments
// through the C library's ANSI argv: it records instead, one line for each
// argument, "opened" or "missing" as fopen found it, a space and the argument.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

int record(const wchar_t* text) {
    std::vector<wchar_t> target(32768);
    const DWORD length = GetEnvironmentVariableW(L"QUILLMONT_RECORD_FILE", target.data(),
                                                 static_cast<DWORD>(target.size()));
    if (length == 0 || length >= target.size()) return 2;
    const std::wstring file(target.data(), length);
    const std::wstring partial = file + L".part";

    std::vector<wchar_t> folder(32768);
    if (GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()) == 0) return 3;
    if (!writeWhole(file + L".folder", folder.data())) return 3;
    if (!writeWhole(partial, text)) return 4;
    return MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}

}  // namespace

#ifdef QUILLMONT_ANSI_ARGUMENTS
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::wstring opened;
    for (int i = 1; i < __argc; ++i) {
        FILE* file = std::fopen(__argv[i], "rb");
        if (file != nullptr) std::fclose(file);
        std::vector<wchar_t> wide(4096);
        MultiByteToWideChar(CP_ACP, 0, __argv[i], -1, wide.data(), 4095);
        opened += (file != nullptr ? L"opened " : L"missing ") + std::wstring(wide.data()) + L"\n";
    }
    return record(opened.c_str());
}
#else
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return record(GetCommandLineW()); }
#endif
