#include "test_files.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "win32/platform/wide_text.h"

namespace quillmont::testing {

std::wstring binFolder() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring makeTemporaryFolder(const std::wstring& name) {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    // Process ids come back under Wine, so a folder is only ever taken when this
    // call created it: a folder left by an earlier run is passed over.
    const std::wstring base = std::wstring(temp) + L"quillmont tests " + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(base.c_str(), nullptr);
    while (true) {
        const std::wstring folder = base + L"\\" + name + L" " + std::to_wstring(++counter);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return folder;
    }
}

std::optional<std::wstring> readUtf16File(const std::wstring& path) {
    HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE) return std::nullopt;
    const DWORD size = GetFileSize(in, nullptr);
    std::wstring text(size / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    const BOOL ok = ReadFile(in, text.data(), size, &read, nullptr);
    CloseHandle(in);
    if (!ok || read != size) return std::nullopt;
    return text;
}

std::wstring makeDeepFolder(std::wstring folder, std::size_t length) {
    for (int level = 1; folder.size() < length; ++level) {
        folder += L"\\a folder at level " + std::to_wstring(level) + L" of a deep tree";
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder;
}

CommandLineRecorder::CommandLineRecorder() : file_(makeTemporaryFolder(L"record") + L"\\command line.txt") {
    SetEnvironmentVariableW(L"QUILLMONT_RECORD_FILE", file_.c_str());
}

std::optional<WideString> CommandLineRecorder::wait(unsigned timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (std::optional<std::wstring> text = readUtf16File(file_)) return win32::fromWide(*text);
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return std::nullopt;
}

std::optional<WideString> CommandLineRecorder::currentFolder() const {
    if (!wait()) return std::nullopt;
    const std::optional<std::wstring> text = readUtf16File(file_ + L".folder");
    return text ? std::optional<WideString>(win32::fromWide(*text)) : std::nullopt;
}

void CommandLineRecorder::clear() const {
    DeleteFileW(file_.c_str());
    DeleteFileW((file_ + L".folder").c_str());
}

std::wstring CommandLineRecorder::starter() { return binFolder() + L"\\recording_starter.exe"; }

std::wstring CommandLineRecorder::starterWithSpaces() {
    static const std::wstring copy = [] {
        std::wstring path = makeTemporaryFolder(L"program files") + L"\\recording starter.exe";
        CopyFileW(starter().c_str(), path.c_str(), FALSE);
        return path;
    }();
    return copy;
}

}  // namespace quillmont::testing
