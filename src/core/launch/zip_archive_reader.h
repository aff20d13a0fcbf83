#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "base/bytes.h"
#include "base/wide_string.h"
#include "platform/files.h"

namespace quillmont {

// One named entry of a zip archive (one disk, stored or deflated, no encryption,
// no 64-bit extensions) read whole into memory and checked against its CRC-32.
// Opening finds the end record and reads the start of the central directory;
// a look-up walks the directory from its start through one buffer of
// kBufferSize bytes, so a directory of any size costs no more memory than that.
// The file stays open, shared for reading, until the reader is closed or destroyed.
//
// Every size the archive declares is checked against the file before anything
// is allocated: a directory or an entry's data that cannot lie inside the file
// is refused, and so is an entry larger than kMaxEntrySize. A deflated entry's
// compressed data is read and inflated in pieces of kInflatePiece bytes, never
// held whole: beside the entry itself, no allocation is larger than the buffer,
// whatever the bytes.
class ZipArchiveReader {
public:
    // A manifest is small; this is far more than any real one needs.
    static constexpr std::uint32_t kMaxEntrySize = 64u * 1024 * 1024;
    static constexpr std::size_t kInflatePiece = 64 * 1024;
    // Room for the end record with the longest comment, and for a directory
    // record's fixed part with the longest name, so either is read in one piece.
    static constexpr std::size_t kBufferSize = 46 + 0xFFFF;

    // Why the last open failed, for the message that says so.
    enum class OpenFailure {
        None,
        CannotOpen,    // the file could not be opened (Files::failureReason says why)
        Empty,         // it has no bytes at all
        NotAnArchive,  // no end record, and it does not start as a zip archive does
        CutShort,      // it starts as one, but ends before its end record or directory: an incomplete download
        Unreadable,    // reading it failed
    };

    explicit ZipArchiveReader(Files& files) : files_(files) {}

    // Closes what was open, opens the archive and reads the start of its central
    // directory (all of one that fits the buffer). True when the directory was
    // found and its start read (it may be empty).
    bool open(const WideString& path);
    // The entry's uncompressed bytes into `out` (emptied first). True only when
    // the entry exists (the first of its name, compared byte for byte with the
    // low 8 bits of each unit), is supported, was read whole and its CRC matches;
    // after a false result `out` is empty.
    bool readEntry(const WideString& name, Bytes& out);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    OpenFailure openFailure() const { return openFailure_; }

private:
    struct Entry;
    OpenFailure findDirectory();
    OpenFailure withoutEnd();
    bool extract(const WideString& name, Bytes& out);
    std::optional<Entry> findEntry(const WideString& name);
    std::optional<std::uint64_t> dataStart(const Entry& entry);
    bool readExactly(std::uint64_t offset, std::span<std::uint8_t> buffer);
    std::optional<std::span<const std::uint8_t>> buffered(std::uint64_t offset, std::size_t count,
                                                          std::uint64_t end);

    Files& files_;
    std::unique_ptr<ReadableFile> file_;
    std::uint64_t fileSize_ = 0;
    std::uint64_t directoryOffset_ = 0;
    std::uint64_t directorySize_ = 0;
    // buffer_'s first bufferLength_ bytes are the file's from bufferOffset_ on.
    Bytes buffer_;
    std::uint64_t bufferOffset_ = 0;
    std::size_t bufferLength_ = 0;
    OpenFailure openFailure_ = OpenFailure::None;
};

}  // namespace quillmont
