#include "core/launch/file_helpers.h"

#include "core/launch/read_failure.h"
#include "core/text/message_format.h"

namespace quillmont {

std::optional<Bytes> readWholeFile(Files& files, const WideString& path, WideString* cause) {
    auto fail = [cause](WideString why) -> std::optional<Bytes> {
        if (cause != nullptr) *cause = std::move(why);
        return std::nullopt;
    };
    std::unique_ptr<ReadableFile> file = files.openForReading(path);
    if (!file) return fail(unreadableCause(files, path, files.failureReason()));
    const std::optional<std::uint64_t> size = file->size();
    if (!size) return fail(u"Its size could not be read.");
    if (*size > kMaxWholeFileBytes)
        return fail(u"It is larger than " + groupedDecimalText(kMaxWholeFileBytes) + u" bytes.");
    Bytes bytes(static_cast<std::size_t>(*size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::optional<std::size_t> got = file->readAt(done, std::span(bytes).subspan(done));
        if (!got || *got == 0) return fail(u"It could not be read to its end.");
        done += *got;
    }
    return bytes;
}

WideString stagingPathFor(const WideString& path) { return path + u".quillmont-new"; }

bool writeWholeFile(Files& files, const WideString& path, std::span<const std::uint8_t> bytes, WideString* cause) {
    auto fail = [cause](WideString why) {
        if (cause != nullptr) *cause = std::move(why);
        return false;
    };
    const std::optional<FileAttributes> existing = files.attributes(path);
    if (existing && existing->directory) return fail(u"It is a folder.");
    if (existing && existing->readOnly) return fail(u"The file is read-only.");
    const WideString staging = stagingPathFor(path);
    if (!files.createAndWrite(staging, bytes) || !files.replaceFile(staging, path)) {
        const WideString why = files.failureReason();
        files.deleteFile(staging);
        return fail(why);
    }
    return true;
}

namespace {

// The temporary pair with this number in the folder: 0 is the fixed names,
// 1 and on are qlm_temp1.jad and qlm_temp1.jar and so on.
TemporaryCopy temporaryPair(Files& files, const WideString& folder, int number) {
    const WideString stem = number == 0 ? WideString(u"qlm_temp") : u"qlm_temp" + decimalText(static_cast<std::uint64_t>(number));
    TemporaryCopy copy;
    copy.jarName = stem + u".jar";
    copy.jadPath = files.combinePath(folder, stem + u".jad");
    copy.jarPath = files.combinePath(folder, copy.jarName);
    return copy;
}

// Whether a file is at the path that cannot be removed now: an emulator started
// before holds it. A file that can be removed is, since it is written anew.
bool heldByAnother(Files& files, const WideString& path) {
    const std::optional<FileAttributes> found = files.attributes(path);
    if (!found || found->directory || found->readOnly) return false;
    return !files.deleteFile(path);
}

}  // namespace

std::optional<TemporaryCopy> makeTemporaryCopy(Files& files, UserInterface& ui, const WideString& jarPath) {
    const WideString folder = files.temporaryFolder();
    // Without a temporary folder there is nowhere to copy to.
    if (folder.empty() || temporaryPair(files, folder, 0).jarPath.empty()) {
        ui.showMessage(kNoWindow, formatText(u"File \"%s\" copy error.", jarPath), MessageKind::OpeningError);
        return std::nullopt;
    }
    // Numbered pairs that earlier runs needed and nothing holds any more go.
    for (int number = 1; number <= kMaxTemporaryPairs; ++number) {
        const TemporaryCopy old = temporaryPair(files, folder, number);
        if (!files.attributes(old.jarPath) && !files.attributes(old.jadPath)) continue;
        files.deleteFile(old.jarPath);
        files.deleteFile(old.jadPath);
    }
    // While an emulator holds the fixed pair, the next free numbered one.
    TemporaryCopy copy = temporaryPair(files, folder, 0);
    for (int number = 1; heldByAnother(files, copy.jarPath) || heldByAnother(files, copy.jadPath); ++number) {
        if (number > kMaxTemporaryPairs) {
            ui.showMessage(kNoWindow, formatText(u"File \"%s\" copy error.", jarPath), MessageKind::OpeningError);
            return std::nullopt;
        }
        copy = temporaryPair(files, folder, number);
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
