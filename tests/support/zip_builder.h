#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.h"

namespace quillmont::testing {

// Writes zip archives for tests, with every field that a reader may trip over
// under the test's control: the local and central extra fields apart, the
// version needed, flags, methods, sizes and CRCs as declared, comments and bytes
// after the end record.
class ZipBuilder {
public:
    struct Entry {
        std::string name;
        Bytes data;                       // uncompressed
        std::uint16_t method = 8;         // 0 stored, 8 deflated, anything else as given
        std::uint16_t versionNeeded = 20;
        std::uint16_t flags = 0;
        std::size_t localExtra = 0;       // bytes of extra field in the local header
        std::size_t centralExtra = 0;     // and in the central record
        std::string comment;
        // Declared values; by default the true ones.
        std::optional<std::uint32_t> crc, compressedSize, uncompressedSize, localHeaderOffset;
        bool localSignature = true;
    };

    ZipBuilder& add(Entry entry) {
        entries_.push_back(std::move(entry));
        return *this;
    }
    ZipBuilder& add(const std::string& name, const std::string& text, std::uint16_t method = 8) {
        Entry entry;
        entry.name = name;
        entry.data.assign(text.begin(), text.end());
        entry.method = method;
        return add(std::move(entry));
    }
    std::string archiveComment;
    std::uint16_t diskNumber = 0;
    std::optional<std::uint16_t> entriesOnDisk;  // by default the total
    std::optional<std::uint32_t> directoryOffset, directorySize;
    Bytes prefix;  // bytes before the first entry (offsets do not account for them)

    static Bytes deflated(const Bytes& data) {
        z_stream stream{};
        deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        Bytes out(deflateBound(&stream, static_cast<uLong>(data.size())) + 16);
        stream.next_in = const_cast<Bytef*>(data.data());
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        ::deflate(&stream, Z_FINISH);
        out.resize(stream.total_out);
        deflateEnd(&stream);
        return out;
    }
    static std::uint32_t crcOf(const Bytes& data) {
        return static_cast<std::uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
    }

    Bytes build() const {
        Bytes out = prefix;
        std::vector<std::uint32_t> offsets;
        std::vector<Bytes> stored;
        for (const Entry& e : entries_) {
            const Bytes payload = e.method == 8 ? deflated(e.data) : e.data;
            offsets.push_back(static_cast<std::uint32_t>(out.size() - prefix.size()));
            put32(out, e.localSignature ? 0x04034B50 : 0x04034B51);
            put16(out, e.versionNeeded);
            put16(out, e.flags);
            put16(out, e.method);
            put32(out, 0);  // time and date
            put32(out, e.crc.value_or(crcOf(e.data)));
            put32(out, e.compressedSize.value_or(static_cast<std::uint32_t>(payload.size())));
            put32(out, e.uncompressedSize.value_or(static_cast<std::uint32_t>(e.data.size())));
            put16(out, static_cast<std::uint16_t>(e.name.size()));
            put16(out, static_cast<std::uint16_t>(e.localExtra));
            out.insert(out.end(), e.name.begin(), e.name.end());
            out.insert(out.end(), e.localExtra, 0xEE);
            out.insert(out.end(), payload.begin(), payload.end());
            stored.push_back(payload);
        }
        const auto directoryStart = static_cast<std::uint32_t>(out.size() - prefix.size());
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const Entry& e = entries_[i];
            put32(out, 0x02014B50);
            put16(out, 0x031E);  // made by: Unix, 3.0
            put16(out, e.versionNeeded);
            put16(out, e.flags);
            put16(out, e.method);
            put32(out, 0);
            put32(out, e.crc.value_or(crcOf(e.data)));
            put32(out, e.compressedSize.value_or(static_cast<std::uint32_t>(stored[i].size())));
            put32(out, e.uncompressedSize.value_or(static_cast<std::uint32_t>(e.data.size())));
            put16(out, static_cast<std::uint16_t>(e.name.size()));
            put16(out, static_cast<std::uint16_t>(e.centralExtra));
            put16(out, static_cast<std::uint16_t>(e.comment.size()));
            put16(out, 0);
            put16(out, 0);
            put32(out, 0);
            put32(out, e.localHeaderOffset.value_or(offsets[i]));
            out.insert(out.end(), e.name.begin(), e.name.end());
            out.insert(out.end(), e.centralExtra, 0xCC);
            out.insert(out.end(), e.comment.begin(), e.comment.end());
        }
        const auto size = static_cast<std::uint32_t>(out.size() - prefix.size() - directoryStart);
        put32(out, 0x06054B50);
        put16(out, diskNumber);
        put16(out, diskNumber);
        put16(out, entriesOnDisk.value_or(static_cast<std::uint16_t>(entries_.size())));
        put16(out, static_cast<std::uint16_t>(entries_.size()));
        put32(out, directorySize.value_or(size));
        put32(out, directoryOffset.value_or(directoryStart));
        put16(out, static_cast<std::uint16_t>(archiveComment.size()));
        out.insert(out.end(), archiveComment.begin(), archiveComment.end());
        return out;
    }

private:
    static void put16(Bytes& out, std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    static void put32(Bytes& out, std::uint32_t v) {
        put16(out, static_cast<std::uint16_t>(v));
        put16(out, static_cast<std::uint16_t>(v >> 16));
    }
    std::vector<Entry> entries_;
};

// A MIDlet suite's archive of exactly `size` bytes (at least 250): a stored
// manifest, and a stored filler entry that makes up the rest.
inline std::string suiteArchiveOfSize(std::size_t size) {
    auto build = [](std::size_t filler) {
        return ZipBuilder()
            .add("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nMIDlet-1: App, , a.App\r\n", 0)
            .add("filler.bin", std::string(filler, 'z'), 0)
            .build();
    };
    const Bytes bytes = build(size - build(0).size());
    return std::string(bytes.begin(), bytes.end());
}

// A Java program's archive as its release ships it: a manifest that names its
// main class ("emulator.Emulator" for KEmulator), as text for any file fixture.
inline std::string programArchive(const std::string& mainClass) {
    const Bytes bytes =
        ZipBuilder().add("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nMain-Class: " + mainClass + "\r\n").build();
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace quillmont::testing
