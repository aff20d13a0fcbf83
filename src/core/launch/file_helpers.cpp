#include "core/launch/file_helpers.h"

#include "core/text/message_format.h"

namespace quillmont {

std::optional<Bytes> readWholeFile(Files& files, const WideString& path) {
    std::unique_ptr<ReadableFile> file = files.openForReading(path);
    if (!file) return std::nullopt;
    const std::optional<std::uint64_t> size = file->size();
    if (!size || *size > kMaxWholeFileBytes) return std::nullopt;
    Bytes bytes(static_cast<std::size_t>(*size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::optional<std::size_t> got = file->readAt(done, std::span(bytes).subspan(done));
        if (!got || *got == 0) return std::nullopt;
        done += *got;
    }
    return bytes;
}

WideString stagingPathFor(const WideString& path) { return path + u".quillmont-new"; }

bool writeWholeFile(Files& files, const WideString& path, std::span<const std::uint8_t> bytes) {
    const std::optional<FileAttributes> existing = files.attributes(path);
    if (existing && (existing->readOnly || existing->directory)) return false;
    const WideString staging = stagingPathFor(path);
    if (!files.createAndWrite(staging, bytes) || !files.replaceFile(staging, path)) {
        files.deleteFile(staging);
        return false;
    }
    return true;
}

PathParts splitPath(const WideString& path) {
    // Windows takes a forward slash wherever it takes a backslash.
    const std::size_t slash = path.find_last_of(u"\\/");
    const std::size_t nameStart = slash == WideString::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind(u'.');
    if (dot == WideString::npos || dot < nameStart) dot = path.size();
    return {path.substr(0, nameStart), path.substr(nameStart, dot - nameStart), path.substr(dot)};
}

std::optional<TemporaryCopy> makeTemporaryCopy(Files& files, UserInterface& ui, const WideString& jarPath) {
    const WideString folder = files.temporaryFolder();
    TemporaryCopy copy;
    copy.jarName = kTemporaryJarName;
    if (!folder.empty()) {
        copy.jadPath = files.combinePath(folder, kTemporaryJadName);
        copy.jarPath = files.combinePath(folder, copy.jarName);
    }
    // Without a temporary folder there is nowhere to copy to.
    if (copy.jadPath.empty() || copy.jarPath.empty()) {
        ui.showMessage(kNoWindow, formatText(u"File \"%s\" copy error.", jarPath), MessageKind::OpeningError);
        return std::nullopt;
    }
    const std::optional<FileAttributes> existing = files.attributes(copy.jarPath);
    if (existing && existing->readOnly && !files.clearReadOnly(copy.jarPath)) {
        ui.showMessage(kNoWindow, formatText(u"File \"%s\" access error.", copy.jarPath), MessageKind::OpeningError);
        return std::nullopt;
    }
    if (!files.copyFile(jarPath, copy.jarPath)) {
        ui.showMessage(kNoWindow, formatText(u"File \"%s\" copy error.", jarPath), MessageKind::OpeningError);
        return std::nullopt;
    }
    return copy;
}

}  // namespace quillmont
