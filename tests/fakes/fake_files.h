#pragma once

#include <map>
#include <optional>
#include <set>

#include "base/bytes.h"
#include "platform/files.h"

namespace quillmont::testing {

// An in-memory file system that behaves like Windows' where the program relies on
// it (the contract tests prove it): paths compare without regard to case, forward
// slashes separate folders when a file is opened, "." and ".." are resolved, a
// folder cannot be opened as a file, a read-only file cannot be deleted, and a
// file open for reading cannot be truncated, replaced or deleted. combinePath
// follows PathCombineW.
// A read-only file can neither be written, replaced nor copied over either, as on
// Windows; Wine run as root does all three, so no contract case proves that.
//
// For tests of failures it can cut writes short, refuse steps and hide sizes.
class FakeFiles final : public Files {
public:
    struct Entry {
        Bytes bytes;
        bool readOnly = false;
    };

    WideString temporaryFolderPath = u"C:\\Users\\Tester\\AppData\\Local\\Temp\\";

    // Failure injection.
    std::optional<std::size_t> bytesBeforeWriteFailure;  // a write stores this many, then fails
    bool failReplace = false;
    bool failCopy = false;
    bool failClearReadOnly = false;
    std::set<WideString> unreadableSizes;  // paths whose size cannot be read
    std::set<WideString> shortReads;       // paths whose reads end halfway
    std::set<WideString> unopenable;       // paths that cannot be opened
    std::set<WideString> unwritableFolders;  // where nothing can be created (a read-only folder, a CD), by key

    void addFolder(const WideString& path);
    void addFile(const WideString& path, Bytes bytes, bool readOnly = false);
    void addFile(const WideString& path, const std::string& text, bool readOnly = false);
    std::optional<Bytes> contents(const WideString& path) const;
    bool exists(const WideString& path) const;
    // Every file's path (in its comparison form), for tests that nothing else appeared.
    std::set<WideString> filePaths() const;
    int openReaders() const { return openReaders_; }

    std::unique_ptr<ReadableFile> openForReading(const WideString& path) override;
    bool createAndWrite(const WideString& path, std::span<const std::uint8_t> bytes) override;
    std::optional<FileAttributes> attributes(const WideString& path) override;
    bool clearReadOnly(const WideString& path) override;
    bool copyFile(const WideString& from, const WideString& to) override;
    bool replaceFile(const WideString& from, const WideString& to) override;
    bool deleteFile(const WideString& path) override;
    bool createFolder(const WideString& path) override;
    WideString temporaryFolder() override { return temporaryFolderPath; }
    WideString combinePath(const WideString& folder, const WideString& more) override;
    WideString fullPath(const WideString& path) override;
    // A path under an entry of shortNames has that entry's short form in place of
    // the entry's part; any other existing path comes back as given, as from a
    // volume that keeps no short names.
    WideString shortPath(const WideString& path) override;
    std::map<WideString, WideString> shortNames;  // short forms of files and folders, by key
    // Lists a folder's children in reverse name order, "." and ".." last for a
    // folder that is not a drive's root: an order the system never promises, so
    // that no caller can come to rely on one.
    std::vector<DirectoryEntry> findEntries(const WideString& pattern) override;
    // What Windows says for the failures the fake has: a missing file, a refused
    // open or write, a write cut short.
    WideString failureReason() override { return failureReason_; }

    // Relative paths are resolved against this folder.
    WideString currentFolder = u"C:\\Users\\Tester";

    // The path as files are looked up: slashes as backslashes, dots resolved, ASCII
    // letters in lower case, no trailing backslash.
    static WideString key(const WideString& path);

private:
    class Reader;
    bool parentExists(const WideString& key) const;
    bool isOpen(const WideString& key) const;
    void remember(const WideString& path);

    std::map<WideString, Entry> files_;
    std::set<WideString> folders_;
    std::map<WideString, WideString> names_;  // the name each path was first given, by key
    std::map<WideString, int> readers_;
    int openReaders_ = 0;
    WideString failureReason_;
};

// Windows' wildcard rules for a bare name: "*" any run of characters, "?" any one,
// letters without regard to case, and "*.*" every name, with or without a dot.
bool matchesWildcard(const WideString& pattern, const WideString& name);

}  // namespace quillmont::testing
