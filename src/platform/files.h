#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/wide_string.h"

namespace quillmont {

// A file opened for reading, closed when the object goes.
class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    // The file's size in bytes, or nothing when it cannot be read.
    virtual std::optional<std::uint64_t> size() = 0;
    // Reads up to `buffer.size()` bytes from `offset` on; the number of bytes read
    // (fewer at the end of the file), or nothing on a read error.
    virtual std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) = 0;
};

// What a path names, as far as the opening flows care.
struct FileAttributes {
    bool directory = false;
    bool readOnly = false;
};

// One entry that a directory search found: a bare name, no folder part.
struct DirectoryEntry {
    WideString name;
    bool directory = false;
};

// Files and paths. Paths are Windows paths with backslashes.
class Files {
public:
    virtual ~Files() = default;

    // Opens an existing file for reading; others may read it meanwhile. Nothing
    // when it cannot be opened.
    virtual std::unique_ptr<ReadableFile> openForReading(const WideString& path) = 0;

    // Creates the file or truncates an existing one, holds it without sharing,
    // writes all bytes and flushes them to the disk. False when it cannot be
    // created or not every byte reached the disk; what was written then stays.
    virtual bool createAndWrite(const WideString& path, std::span<const std::uint8_t> bytes) = 0;

    // Nothing when no file or folder is at the path.
    virtual std::optional<FileAttributes> attributes(const WideString& path) = 0;
    virtual bool clearReadOnly(const WideString& path) = 0;

    // Copies a file, replacing a file at the target.
    virtual bool copyFile(const WideString& from, const WideString& to) = 0;
    // Moves a file over another one (or to a free name) in one step, written
    // through to the disk: afterwards `to` holds either its old or the new bytes.
    virtual bool replaceFile(const WideString& from, const WideString& to) = 0;
    virtual bool deleteFile(const WideString& path) = 0;
    // Creates one folder in a folder that exists (CreateDirectoryW). False when it
    // cannot, or something of that name is there already.
    virtual bool createFolder(const WideString& path) = 0;

    // The user's temporary folder in its long form, ending with a backslash;
    // empty when it cannot be found.
    virtual WideString temporaryFolder() = 0;
    // The platform's path combination (PathCombineW's rules, at any length): a
    // drive-letter path is taken as it is, a leading backslash starts at the
    // folder's root, anything else is appended; "." and ".." segments are resolved.
    virtual WideString combinePath(const WideString& folder, const WideString& more) = 0;
    // The absolute, normalised form of a path (GetFullPathNameW): a relative path is
    // resolved against the current folder, "." and ".." segments are removed.
    // Empty when it fails.
    virtual WideString fullPath(const WideString& path) = 0;
    // The short (8.3) form of an existing file's or folder's path
    // (GetShortPathNameW). A volume that keeps no short names gives the long
    // names back; empty when the path cannot be found.
    virtual WideString shortPath(const WideString& path) = 0;

    // Why the last call that failed (opening, writing, copying, replacing) failed,
    // in the system's words ("Access is denied."), its inserts ("%1") left as
    // written; empty when it cannot say.
    virtual WideString failureReason() { return {}; }

    // The entries of one folder that a search pattern ("C:\SDK\*.xml") names, by
    // the system's wildcard rules (FindFirstFileW, FindNextFileW), in the order the
    // system returns them, which is not promised to be sorted; "." and ".." come
    // as the system gives them. Empty when the search cannot start.
    virtual std::vector<DirectoryEntry> findEntries(const WideString& pattern) = 0;
};

}  // namespace quillmont
