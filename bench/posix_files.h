#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"

namespace quillmont::bench {

// The read side of the Files port on POSIX (pread), for the benchmarks only: a
// path is the Linux path as UTF-16. Everything that writes, copies or resolves
// paths fails, as nothing measured here needs it.
class PosixFiles : public Files {
public:
    std::unique_ptr<ReadableFile> openForReading(const WideString& path) override;
    bool createAndWrite(const WideString&, std::span<const std::uint8_t>) override { return false; }
    std::optional<FileAttributes> attributes(const WideString& path) override;
    bool clearReadOnly(const WideString&) override { return false; }
    bool copyFile(const WideString&, const WideString&) override { return false; }
    bool replaceFile(const WideString&, const WideString&) override { return false; }
    bool deleteFile(const WideString&) override { return false; }
    bool createFolder(const WideString&) override { return false; }
    WideString temporaryFolder() override { return {}; }
    WideString combinePath(const WideString&, const WideString&) override { return {}; }
    WideString fullPath(const WideString&) override { return {}; }
    WideString shortPath(const WideString&) override { return {}; }
    std::vector<DirectoryEntry> findEntries(const WideString&) override { return {}; }
};

// How often the files opened through CountingFiles were read, and how much, and
// how many folders were searched.
struct ReadCounts {
    std::uint64_t opens = 0;
    std::uint64_t reads = 0;
    std::uint64_t bytes = 0;
    std::uint64_t folderReads = 0;  // folder searches
};

// Passes everything on to another Files and counts every readAt of the files it
// opens (the bytes are those actually read).
class CountingFiles : public Files {
public:
    explicit CountingFiles(Files& inner) : inner_(inner) {}
    const ReadCounts& counts() const { return counts_; }
    void reset() { counts_ = {}; }

    std::unique_ptr<ReadableFile> openForReading(const WideString& path) override;
    bool createAndWrite(const WideString& path, std::span<const std::uint8_t> bytes) override {
        return inner_.createAndWrite(path, bytes);
    }
    std::optional<FileAttributes> attributes(const WideString& path) override { return inner_.attributes(path); }
    bool clearReadOnly(const WideString& path) override { return inner_.clearReadOnly(path); }
    bool copyFile(const WideString& from, const WideString& to) override { return inner_.copyFile(from, to); }
    bool replaceFile(const WideString& from, const WideString& to) override { return inner_.replaceFile(from, to); }
    bool deleteFile(const WideString& path) override { return inner_.deleteFile(path); }
    bool createFolder(const WideString& path) override { return inner_.createFolder(path); }
    WideString temporaryFolder() override { return inner_.temporaryFolder(); }
    WideString combinePath(const WideString& folder, const WideString& more) override {
        return inner_.combinePath(folder, more);
    }
    WideString fullPath(const WideString& path) override { return inner_.fullPath(path); }
    WideString shortPath(const WideString& path) override { return inner_.shortPath(path); }
    std::vector<DirectoryEntry> findEntries(const WideString& pattern) override {
        ++counts_.folderReads;
        return inner_.findEntries(pattern);
    }

private:
    Files& inner_;
    ReadCounts counts_;
};

// A Linux path for the port, and back.
WideString widePath(const std::string& path);
std::string narrowPath(const WideString& path);

}  // namespace quillmont::bench
