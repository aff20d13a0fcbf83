#include "win32/platform/win32_files.h"

#include "core/text/path_rules.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "win32/platform/system_message.h"
#include "win32/platform/unique_find.h"
#include "win32/platform/unique_handle.h"
#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

namespace {

// ReadFile and WriteFile count in DWORDs; larger spans go in pieces of this size.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

class Win32ReadableFile final : public ReadableFile {
public:
    explicit Win32ReadableFile(UniqueHandle handle) : handle_(std::move(handle)) {}

    std::optional<std::uint64_t> size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_.get(), &size) || size.QuadPart < 0) return std::nullopt;
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        // No file reaches past a signed 64-bit position, so such an offset is past its end.
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max())) return 0;
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(handle_.get(), position, nullptr, FILE_BEGIN)) return std::nullopt;
        const auto wanted = static_cast<DWORD>(std::min(buffer.size(), kLargestTransfer));
        DWORD read = 0;
        if (!ReadFile(handle_.get(), buffer.data(), wanted, &read, nullptr)) return std::nullopt;
        return read;
    }

private:
    UniqueHandle handle_;
};

}  // namespace

std::unique_ptr<ReadableFile> Win32Files::openForReading(const WideString& path) {
    UniqueHandle file(CreateFileW(toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        failed();
        return nullptr;
    }
    return std::make_unique<Win32ReadableFile>(std::move(file));
}

bool Win32Files::failed() {
    failureReason_ = systemMessage(GetLastError());
    return false;
}

bool Win32Files::createAndWrite(const WideString& path, std::span<const std::uint8_t> bytes) {
    UniqueHandle file(
        CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return failed();
    while (!bytes.empty()) {
        const auto wanted = static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer));
        DWORD written = 0;
        // A write that stores nothing would never end the loop; a full disk does that.
        if (!WriteFile(file.get(), bytes.data(), wanted, &written, nullptr)) return failed();
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return failed();
        }
        bytes = bytes.subspan(written);
    }
    return FlushFileBuffers(file.get()) != FALSE || failed();
}

std::optional<FileAttributes> Win32Files::attributes(const WideString& path) {
    const DWORD found = GetFileAttributesW(toWide(path).c_str());
    if (found == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return FileAttributes{(found & FILE_ATTRIBUTE_DIRECTORY) != 0, (found & FILE_ATTRIBUTE_READONLY) != 0};
}

bool Win32Files::clearReadOnly(const WideString& path) {
    const std::wstring name = toWide(path);
    const DWORD found = GetFileAttributesW(name.c_str());
    if (found == INVALID_FILE_ATTRIBUTES) return false;
    // Hidden, system and archive stay as they were; no flag at all must be spelt NORMAL.
    DWORD wanted = found & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (wanted == 0) wanted = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(name.c_str(), wanted) != FALSE;
}

bool Win32Files::copyFile(const WideString& from, const WideString& to) {
    return CopyFileW(toWide(from).c_str(), toWide(to).c_str(), FALSE) != FALSE || failed();
}

bool Win32Files::replaceFile(const WideString& from, const WideString& to) {
    return MoveFileExW(toWide(from).c_str(), toWide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE ||
           failed();
}

bool Win32Files::deleteFile(const WideString& path) { return DeleteFileW(toWide(path).c_str()) != FALSE; }

bool Win32Files::createFolder(const WideString& path) {
    return CreateDirectoryW(toWide(path).c_str(), nullptr) != FALSE || failed();
}

WideString Win32Files::temporaryFolder() {
    constexpr DWORD kTempCapacity = 1024;
    wchar_t shortForm[kTempCapacity];
    const DWORD shortLength = GetTempPathW(kTempCapacity, shortForm);
    if (shortLength == 0 || shortLength >= kTempCapacity) return {};
    // GetTempPathW passes TMP on as it stands, which may hold 8.3 names.
    std::vector<wchar_t> longForm(32768);
    const DWORD longLength = GetLongPathNameW(shortForm, longForm.data(), static_cast<DWORD>(longForm.size()));
    WideString folder = longLength != 0 && longLength < longForm.size() ? fromWide(longForm.data())
                                                                         : fromWide(shortForm);
    if (folder.empty()) return {};
    if (folder.back() != u'\\') folder.push_back(u'\\');
    return folder;
}

// PathCombineW's rules without its MAX_PATH limit, so that a descriptor deep in
// a synchronised or unpacked folder still finds its archive.
WideString Win32Files::combinePath(const WideString& folder, const WideString& more) {
    return combinePaths(folder, more);
}

WideString Win32Files::fullPath(const WideString& path) {
    const std::wstring name = toWide(path);
    // Asked for the length first; the current folder may change in between, so ask again until it fits.
    DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    for (int attempt = 0; needed != 0 && attempt < 4; ++attempt) {
        std::vector<wchar_t> buffer(needed);
        const DWORD written = GetFullPathNameW(name.c_str(), needed, buffer.data(), nullptr);
        if (written == 0) break;
        if (written < needed) return fromWide(buffer.data());
        needed = written;
    }
    return {};
}

WideString Win32Files::shortPath(const WideString& path) {
    const std::wstring name = toWide(path);
    DWORD needed = GetShortPathNameW(name.c_str(), nullptr, 0);
    for (int attempt = 0; needed != 0 && attempt < 4; ++attempt) {
        std::vector<wchar_t> buffer(needed);
        const DWORD written = GetShortPathNameW(name.c_str(), buffer.data(), needed);
        if (written == 0) break;
        if (written < needed) return fromWide(buffer.data());
        needed = written;
    }
    return {};
}

std::vector<DirectoryEntry> Win32Files::findEntries(const WideString& pattern) {
    std::vector<DirectoryEntry> entries;
    WIN32_FIND_DATAW found{};
    UniqueFind search(FindFirstFileW(toWide(pattern).c_str(), &found));
    if (!search.valid()) return entries;
    do {
        entries.push_back({fromWide(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

}  // namespace quillmont::win32
