#pragma once

#include "platform/files.h"

namespace quillmont::win32 {

// Files and paths through CreateFileW, ReadFile, WriteFile, GetFileAttributesW,
// CopyFileW, MoveFileExW, GetTempPathW with GetLongPathNameW, PathCombineW,
// GetFullPathNameW, GetShortPathNameW and FindFirstFileW.
class Win32Files final : public Files {
public:
    std::unique_ptr<ReadableFile> openForReading(const WideString& path) override;
    bool createAndWrite(const WideString& path, std::span<const std::uint8_t> bytes) override;
    std::optional<FileAttributes> attributes(const WideString& path) override;
    bool clearReadOnly(const WideString& path) override;
    bool copyFile(const WideString& from, const WideString& to) override;
    bool replaceFile(const WideString& from, const WideString& to) override;
    bool deleteFile(const WideString& path) override;
    bool createFolder(const WideString& path) override;
    WideString temporaryFolder() override;
    WideString combinePath(const WideString& folder, const WideString& more) override;
    WideString fullPath(const WideString& path) override;
    WideString shortPath(const WideString& path) override;
    std::vector<DirectoryEntry> findEntries(const WideString& pattern) override;
    WideString failureReason() override { return failureReason_; }

private:
    // Notes the system's reason for the call that just failed; returns false.
    bool failed();

    WideString failureReason_;
};

}  // namespace quillmont::win32
