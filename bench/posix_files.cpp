#include "posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "core/text/utf8.h"

namespace quillmont::bench {

namespace {

class PosixReadableFile : public ReadableFile {
public:
    explicit PosixReadableFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixReadableFile() override { ::close(descriptor_); }
    PosixReadableFile(const PosixReadableFile&) = delete;
    PosixReadableFile& operator=(const PosixReadableFile&) = delete;

    std::optional<std::uint64_t> size() override {
        struct stat status {};
        if (::fstat(descriptor_, &status) != 0) return std::nullopt;
        return static_cast<std::uint64_t>(status.st_size);
    }

    // Like ReadFile at an offset, this reads until the buffer is full or the file ends.
    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t got = ::pread(descriptor_, buffer.data() + done, buffer.size() - done,
                                        static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return std::nullopt;
            if (got == 0) break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    int descriptor_;
};

class CountingReadableFile : public ReadableFile {
public:
    CountingReadableFile(std::unique_ptr<ReadableFile> inner, ReadCounts& counts)
        : inner_(std::move(inner)), counts_(counts) {}

    std::optional<std::uint64_t> size() override { return inner_->size(); }
    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        const std::optional<std::size_t> read = inner_->readAt(offset, buffer);
        ++counts_.reads;
        if (read) counts_.bytes += *read;
        return read;
    }

private:
    std::unique_ptr<ReadableFile> inner_;
    ReadCounts& counts_;
};

}  // namespace

WideString widePath(const std::string& path) {
    return decodeUtf8Lenient(std::span(reinterpret_cast<const std::uint8_t*>(path.data()), path.size()));
}

std::string narrowPath(const WideString& path) {
    Bytes bytes;
    appendUtf8(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::unique_ptr<ReadableFile> PosixFiles::openForReading(const WideString& path) {
    const int descriptor = ::open(narrowPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    return std::make_unique<PosixReadableFile>(descriptor);
}

std::optional<FileAttributes> PosixFiles::attributes(const WideString& path) {
    struct stat status {};
    if (::stat(narrowPath(path).c_str(), &status) != 0) return std::nullopt;
    return FileAttributes{S_ISDIR(status.st_mode), ::access(narrowPath(path).c_str(), W_OK) != 0};
}

std::unique_ptr<ReadableFile> CountingFiles::openForReading(const WideString& path) {
    std::unique_ptr<ReadableFile> file = inner_.openForReading(path);
    if (!file) return nullptr;
    ++counts_.opens;
    return std::make_unique<CountingReadableFile>(std::move(file), counts_);
}

}  // namespace quillmont::bench
