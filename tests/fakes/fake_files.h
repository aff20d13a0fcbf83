#pragma once

#include <map>
#include <optional>
#include <set>

#include "core/text/bytes.h"
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
    WideString temporaryFolder() override { return temporaryFolderPath; }
    WideString combinePath(const WideString& folder, const WideString& more) override;

    // The path as files are looked up: slashes as backslashes, dots resolved, ASCII
    // letters in lower case, no trailing backslash.
    static WideString key(const WideString& path);

private:
    class Reader;
    bool parentExists(const WideString& key) const;
    bool isOpen(const WideString& key) const;

    std::map<WideString, Entry> files_;
    std::set<WideString> folders_;
    std::map<WideString, int> readers_;
    int openReaders_ = 0;
};

// PathCanonicalizeW: resolves "." and ".." segments between backslashes; forward
// slashes are ordinary characters.
WideString canonicalizePath(const WideString& path);

}  // namespace quillmont::testing
