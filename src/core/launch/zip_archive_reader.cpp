#include "core/launch/zip_archive_reader.h"

#include <zlib.h>

#include <algorithm>

#include "core/launch/zip_format.h"

namespace quillmont {

using namespace zip;

struct ZipArchiveReader::Entry {
    std::uint16_t versionNeeded;
    std::uint16_t flags;
    std::uint16_t method;
    std::uint32_t crc;
    std::uint32_t compressedSize;
    std::uint32_t uncompressedSize;
    std::uint32_t localHeaderOffset;
};

namespace {

// Whether `count` bytes from `offset` on lie inside a file of `fileSize` bytes.
bool liesInside(std::uint64_t offset, std::uint64_t count, std::uint64_t fileSize) {
    return offset <= fileSize && count <= fileSize - offset;
}

// Inflates the raw deflate data of `compressedSize` bytes from `offset` on into
// exactly `out.size()` bytes, reading it in pieces of kInflatePiece: an entry's
// compressed data is never held whole. The checks are those of one inflate call
// over all of it: the stream may end only with its last byte, and all of `out`
// must be filled.
bool inflateFrom(ReadableFile& file, std::uint64_t offset, std::uint32_t compressedSize, std::span<std::uint8_t> out) {
    // Even an empty entry deflates to two bytes.
    if (compressedSize == 0) return false;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    struct End {
        z_stream& stream;
        ~End() { inflateEnd(&stream); }
    } end{stream};
    Bytes piece(std::min<std::size_t>(ZipArchiveReader::kInflatePiece, compressedSize));
    std::uint8_t nothing = 0;  // zlib wants somewhere to write even when nothing is expected
    stream.next_out = out.empty() ? &nothing : out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    for (std::uint32_t done = 0; done < compressedSize;) {
        const std::span<std::uint8_t> input =
            std::span(piece).first(std::min<std::size_t>(piece.size(), compressedSize - done));
        const std::optional<std::size_t> read = file.readAt(offset + done, input);
        if (!read || *read != input.size()) return false;
        done += static_cast<std::uint32_t>(input.size());
        stream.next_in = input.data();
        stream.avail_in = static_cast<uInt>(input.size());
        const int result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_STREAM_END) return done == compressedSize && stream.avail_in == 0 && stream.total_out == out.size();
        // A piece left unread means that `out` is full before the stream's end.
        if (result != Z_OK || stream.avail_in != 0) return false;
    }
    return stream.total_out == out.size();
}

}  // namespace

static_assert(ZipArchiveReader::kBufferSize >= kEndSearchWindow);
static_assert(ZipArchiveReader::kBufferSize >= kCentralSize + 0xFFFF);

void ZipArchiveReader::close() {
    buffer_.clear();
    buffer_.shrink_to_fit();
    bufferOffset_ = 0;
    bufferLength_ = 0;
    file_.reset();
    fileSize_ = 0;
    directoryOffset_ = 0;
    directorySize_ = 0;
}

bool ZipArchiveReader::readExactly(std::uint64_t offset, std::span<std::uint8_t> buffer) {
    const std::optional<std::size_t> read = file_->readAt(offset, buffer);
    return read && *read == buffer.size();
}

// The file's `count` bytes from `offset` on, from the buffer when it holds them;
// otherwise the buffer is filled from `offset` on, as far as it reaches but not
// beyond `end`. Precondition: count <= buffer_.size() and offset + count <= end
// <= fileSize_. The span is good until the next call.
std::optional<std::span<const std::uint8_t>> ZipArchiveReader::buffered(std::uint64_t offset, std::size_t count,
                                                                        std::uint64_t end) {
    const bool held = offset >= bufferOffset_ && offset - bufferOffset_ <= bufferLength_ &&
                      count <= bufferLength_ - (offset - bufferOffset_);
    if (!held) {
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), end - offset));
        bufferLength_ = 0;
        if (!readExactly(offset, std::span(buffer_).first(length))) return std::nullopt;
        bufferOffset_ = offset;
        bufferLength_ = length;
    }
    return std::span<const std::uint8_t>(buffer_).subspan(static_cast<std::size_t>(offset - bufferOffset_), count);
}

bool ZipArchiveReader::open(const WideString& path) {
    close();
    file_ = files_.openForReading(path);
    openFailure_ = file_ ? findDirectory() : OpenFailure::CannotOpen;
    if (openFailure_ != OpenFailure::None) {
        close();
        return false;
    }
    return true;
}

// A file that begins with a local header was meant to be an archive: without its
// end, it was cut short.
ZipArchiveReader::OpenFailure ZipArchiveReader::withoutEnd() {
    std::uint8_t start[4];
    if (fileSize_ >= sizeof start && readExactly(0, start) && read32(start, 0) == kLocalSignature)
        return OpenFailure::CutShort;
    return OpenFailure::NotAnArchive;
}

ZipArchiveReader::OpenFailure ZipArchiveReader::findDirectory() {
    const std::optional<std::uint64_t> size = file_->size();
    if (!size) return OpenFailure::Unreadable;
    fileSize_ = *size;
    if (fileSize_ == 0) return OpenFailure::Empty;
    if (fileSize_ < kEndSize) return withoutEnd();
    buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(fileSize_, kBufferSize)));

    // The end record and its comment end exactly at the end of the file; the
    // first candidate from the front of the window that does so is taken.
    const auto window = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize_, kEndSearchWindow));
    const std::optional<std::span<const std::uint8_t>> read = buffered(fileSize_ - window, window, fileSize_);
    if (!read) return OpenFailure::Unreadable;
    const std::span<const std::uint8_t> tail = *read;
    std::optional<std::size_t> end;
    for (std::size_t p = 0; p + kEndSize <= tail.size(); ++p) {
        const std::size_t remaining = tail.size() - p;
        if (read32(tail, p) == kEndSignature && read32(tail, p + kEndDisks) == 0 &&
            read16(tail, p + kEndEntriesOnDisk) == read16(tail, p + kEndEntriesTotal) &&
            read16(tail, p + kEndCommentLength) == remaining - kEndSize) {
            end = p;
            break;
        }
    }
    if (!end) return withoutEnd();
    const std::uint32_t directorySize = read32(tail, *end + kEndDirectorySize);
    const std::uint32_t directoryOffset = read32(tail, *end + kEndDirectoryOffset);
    if (directorySize == 0xFFFFFFFF) return OpenFailure::NotAnArchive;
    if (directorySize == 0) return OpenFailure::None;
    // A directory that cannot lie inside the file is refused before anything is read.
    if (!liesInside(directoryOffset, directorySize, fileSize_)) return OpenFailure::CutShort;
    directoryOffset_ = directoryOffset;
    directorySize_ = directorySize;
    // A small archive's directory is already in the window that held the end record.
    const std::size_t start = static_cast<std::size_t>(std::min<std::uint64_t>(directorySize_, buffer_.size()));
    return buffered(directoryOffset_, start, directoryOffset_ + directorySize_) ? OpenFailure::None
                                                                                : OpenFailure::Unreadable;
}

// Walks the directory record by record; a record is read (again) only when the
// buffer does not hold its fixed part, or its name when the name's length is the
// one looked for.
std::optional<ZipArchiveReader::Entry> ZipArchiveReader::findEntry(const WideString& name) {
    const std::uint64_t end = directoryOffset_ + directorySize_;
    std::uint64_t at = directoryOffset_;
    while (end - at >= kCentralSize) {
        const std::optional<std::span<const std::uint8_t>> header = buffered(at, kCentralSize, end);
        if (!header || read32(*header, 0) != kCentralSignature) return std::nullopt;
        const std::size_t nameLength = read16(*header, kCentralNameLength);
        const std::uint64_t length = kCentralSize + nameLength + read16(*header, kCentralExtraLength) +
                                     read16(*header, kCentralCommentLength);
        if (length > end - at) return std::nullopt;
        if (nameLength == name.size()) {
            const std::optional<std::span<const std::uint8_t>> record = buffered(at, kCentralSize + nameLength, end);
            if (!record) return std::nullopt;
            const bool matches = std::equal(name.begin(), name.end(), record->begin() + kCentralSize,
                                            [](char16_t unit, std::uint8_t stored) {
                                                return static_cast<std::uint8_t>(unit & 0xFF) == stored;
                                            });
            if (matches) {
                return Entry{read16(*record, kCentralVersionNeeded),  read16(*record, kCentralFlags),
                             read16(*record, kCentralMethod),         read32(*record, kCentralCrc),
                             read32(*record, kCentralCompressedSize), read32(*record, kCentralUncompressedSize),
                             read32(*record, kCentralLocalHeaderOffset)};
            }
        }
        at += length;
    }
    return std::nullopt;
}

// The entry's data follows its local header's own name and extra field, which
// many zip tools write with another length than the central record's.
std::optional<std::uint64_t> ZipArchiveReader::dataStart(const Entry& entry) {
    if (!liesInside(entry.localHeaderOffset, kLocalSize, fileSize_)) return std::nullopt;
    std::uint8_t header[kLocalSize];
    if (!readExactly(entry.localHeaderOffset, header)) return std::nullopt;
    const std::span<const std::uint8_t> local(header);
    if (read32(local, 0) != kLocalSignature) return std::nullopt;
    return std::uint64_t{entry.localHeaderOffset} + kLocalSize + read16(local, kLocalNameLength) +
           read16(local, kLocalExtraLength);
}

bool ZipArchiveReader::readEntry(const WideString& name, Bytes& out) {
    out.clear();
    if (extract(name, out)) return true;
    // Whatever a failed read or a failed check left behind is not the entry.
    out.clear();
    return false;
}

bool ZipArchiveReader::extract(const WideString& name, Bytes& out) {
    if (!file_ || directorySize_ == 0) return false;
    const std::optional<Entry> entry = findEntry(name);
    if (!entry) return false;
    // The low byte is the version; the high byte names the system that wrote it.
    if ((entry->versionNeeded & 0xFF) > kHighestVersionNeeded || (entry->flags & kFlagEncrypted) != 0) return false;
    if (entry->method != kMethodStored && entry->method != kMethodDeflated) return false;
    if (entry->uncompressedSize > kMaxEntrySize) return false;
    const std::optional<std::uint64_t> start = dataStart(*entry);
    if (!start) return false;

    if (entry->method == kMethodStored) {
        if (!liesInside(*start, entry->uncompressedSize, fileSize_)) return false;
        out.resize(entry->uncompressedSize);
        if (!readExactly(*start, out)) return false;
    } else {
        if (!liesInside(*start, entry->compressedSize, fileSize_)) return false;
        out.resize(entry->uncompressedSize);
        if (!inflateFrom(*file_, *start, entry->compressedSize, out)) return false;
    }
    const uLong crc = crc32(crc32(0, nullptr, 0), out.data(), static_cast<uInt>(out.size()));
    return crc == entry->crc;
}

}  // namespace quillmont
