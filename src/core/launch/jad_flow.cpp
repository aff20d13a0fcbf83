#include "core/launch/jad_flow.h"

#include <algorithm>
#include <cstdint>

#include "core/launch/archive_url.h"
#include "core/launch/attribute_document.h"
#include "core/launch/descriptor_encoding.h"
#include "core/launch/file_helpers.h"
#include "core/launch/read_failure.h"
#include "core/launch/starter_choice.h"
#include "core/launch/starter_process.h"
#include "core/launch/starter_process_paths.h"
#include "core/launch/web_archive.h"
#include "core/launch/zip_archive_reader.h"
#include "core/starters/emulator_presets.h"
#include "core/text/ascii_case.h"
#include "core/text/message_format.h"
#include "core/text/number_parsing.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

constexpr char16_t kJarSize[] = u"MIDlet-Jar-Size";
constexpr char16_t kJarUrl[] = u"MIDlet-Jar-URL";
constexpr char16_t kManifestEntry[] = u"META-INF/MANIFEST.MF";

// The size text read the way the C library's conversion to int reads it (digits
// up to the first other character, saturating at the int range), held as the
// 32-bit unsigned number that is compared with the archive's size.
std::uint32_t declaredSizeOf(const WideString& sizeText) {
    const std::int64_t number = std::clamp<std::int64_t>(parseLeadingInteger(sizeText), INT32_MIN, INT32_MAX);
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(number));
}

// The file name of a path.
WideString jarNameOf(const WideString& path) {
    const PathParts parts = splitPath(path);
    return parts.baseName + parts.extension;
}

struct SuitePaths {
    WideString jad;
    WideString jar;
};

class JadFlow {
public:
    JadFlow(LaunchContext& context, const WideString& jadPath)
        : context_(context), files_(context.platform.files), ui_(context.platform.ui), paths_{jadPath, {}} {}

    bool run(bool allowDefaultAction, const WideString& externalArguments) {
        if (!readDescriptor() || !checkJarSize()) return false;
        const std::int32_t slot = chooseStarter(context_, StarterKind::J2ME, allowDefaultAction);
        if (slot == 0) return false;
        if (needsTemporaryCopies(context_.settings().list(StarterKind::J2ME).record(slot)) && !useTemporaryCopies())
            return false;
        return startStarter(context_, StarterKind::J2ME, slot, {paths_.jad, paths_.jar}, externalArguments);
    }

private:
    // What some emulators cannot read is handed to them as the temporary copies,
    // whose names are plain: KEmulator takes MIDlet-Jar-URL only as a relative
    // path as written, and FreeJ2ME-Plus decodes its argument as a URL, so a "%"
    // or "+" in the archive's name leads it astray; it also looks for the
    // descriptor beside the archive under the archive's own name. A path that the
    // starter's program cannot read in the ANSI code page, even by its short form,
    // is replaced by the copies' plain names too.
    bool needsTemporaryCopies(const StarterRecord& starter) const {
        if (temporary_) return false;
        if (!parametersReachStarter(files_, context_.platform.environment, starter, {paths_.jad, paths_.jar}))
            return true;
        const EmulatorPreset* preset = presetOfStarter(starter);
        if (preset == nullptr) return false;
        if (preset->emulator == Emulator::KEmulator) {
            const WideString url = descriptor_.value(kJarUrl, true);
            return isRemoteUrl(url) || isFileUrl(url) || decodeUrlEscapes(url) != url;
        }
        if (preset->emulator == Emulator::FreeJ2mePlus) {
            const PathParts jad = splitPath(paths_.jad), jar = splitPath(paths_.jar);
            const bool besideByName = equalsIgnoringAsciiCase(jar.folder + jar.baseName, jad.folder + jad.baseName);
            return !besideByName || jarNameOf(paths_.jar).find_first_of(u"%+") != WideString::npos;
        }
        return false;
    }

    // The archive copied to the temporary folder and a descriptor beside it that
    // names it; the run goes on with these. The copy is UTF-8, whatever the
    // descriptor was saved in.
    bool useTemporaryCopies() {
        const std::optional<TemporaryCopy> copy = makeTemporaryCopy(files_, ui_, paths_.jar);
        if (!copy) return false;
        descriptor_.setValue(kJarUrl, copy->jarName);
        if (read_.encoding != DescriptorEncoding::Utf8) descriptor_.dropByteOrderMark();
        paths_ = {copy->jadPath, copy->jarPath};
        temporary_ = true;
        WideString why;
        if (writeWholeFile(files_, paths_.jad, descriptor_.serialize(), &why)) return true;
        fail(writeErrorText(paths_.jad, why));
        return false;
    }

    // The corrected descriptor in its own encoding. When it cannot be written (a
    // read-only file or folder, a CD), the user may go on with the temporary
    // copies instead; the descriptor stays as it was either way.
    bool writeCorrection() {
        WideString why;
        if (writeWholeFile(files_, paths_.jad, encodeDescriptor(descriptor_.serialize(), read_), &why)) return true;
        const WideString question =
            writeErrorText(paths_.jad, why) +
            u"\nStart with temporary copies of the JAD and JAR files instead? The JAD file stays as it is.";
        if (ui_.showMessage(kNoWindow, question, MessageKind::OpeningChoice) != MessageAnswer::Yes) return false;
        return useTemporaryCopies();
    }

    void fail(const WideString& message) { ui_.showMessage(kNoWindow, message, MessageKind::OpeningError); }

    bool readDescriptor() {
        WideString why;
        const std::optional<Bytes> bytes = readWholeFile(files_, paths_.jad, &why);
        if (!bytes) {
            fail(readErrorText(paths_.jad, why));
            return false;
        }
        // A descriptor may be a megabyte: its bytes move on and are never copied.
        read_ = decodeDescriptor(std::move(*bytes));
        descriptor_.parse(std::move(read_.utf8));
        read_.utf8 = {};  // the document holds the text now
        const WideString sizeText = descriptor_.value(kJarSize, true);
        if (sizeText.empty()) {
            fail(u"No \"MIDlet-Jar-Size\" attribute is defined in the JAD file.");
            return false;
        }
        declaredSize_ = declaredSizeOf(sizeText);
        const WideString url = descriptor_.value(kJarUrl, true);
        if (url.empty()) {
            fail(u"No \"MIDlet-Jar-URL\" attribute is defined in the JAD file.");
            return false;
        }
        const WideString folder = splitPath(paths_.jad).folder;
        if (isRemoteUrl(url)) {
            webAddress_ = url;
            const std::optional<WebArchive> archive = findWebArchive(files_, ui_, paths_.jad, url);
            if (!archive) return false;
            paths_.jar = archive->path;
            archiveChosen_ = archive->chosen;
            return true;
        }
        if (isFileUrl(url)) {
            paths_.jar = fileUrlPath(url);
            return true;
        }
        paths_.jar = combined(folder, url);
        // An escaped name ("My%20Game.jar") that names no file as written is tried
        // decoded. The descriptor keeps its URL: the emulator decodes it itself.
        const WideString decoded = decodeUrlEscapes(url);
        if (decoded != url && !isFile(paths_.jar) && isFile(combined(folder, decoded))) paths_.jar = combined(folder, decoded);
        return true;
    }

    WideString combined(const WideString& folder, const WideString& name) {
        // A combination that fails (longer than a classic path) names no file;
        // the read error then shows what the descriptor asked for.
        const WideString path = files_.combinePath(folder, name);
        return path.empty() ? folder + name : path;
    }

    bool isFile(const WideString& path) {
        const std::optional<FileAttributes> found = files_.attributes(path);
        return found && !found->directory;
    }

    bool checkJarSize() {
        std::unique_ptr<ReadableFile> jar = files_.openForReading(paths_.jar);
        if (!jar) {
            fail(readErrorText(paths_.jar, unreadableCause(files_, paths_.jar, files_.failureReason())));
            return false;
        }
        const std::optional<std::uint64_t> size = jar->size();
        jar.reset();
        // MIDlet-Jar-Size is a 32-bit number; a larger archive cannot be described.
        if (!size || *size > UINT32_MAX) {
            fail(u"Invalid JAR file size.");
            return false;
        }
        const auto jarSize = static_cast<std::uint32_t>(*size);
        if (!checkArchiveIsWhole(jarSize)) return false;
        if (jarSize == declaredSize_ && webAddress_.empty()) return true;

        const WideString archiveName = webAddress_.empty() ? WideString() : jarNameOf(paths_.jar);
        const JadSizeAnswer answer = context_.dialogs.runJadSizeDialog(
            {jarSize, declaredSize_, webAddress_, archiveName, archiveChosen_}, kNoWindow);
        if (answer == JadSizeAnswer::Cancel) return false;
        // Only what is wrong is rewritten; every other byte stays.
        if (jarSize != declaredSize_) descriptor_.setValue(kJarSize, decimalText(jarSize));
        if (answer == JadSizeAnswer::CreateTemporaryFile) return useTemporaryCopies();
        // The emulator never sees the web address: the archive by its name.
        if (!webAddress_.empty()) descriptor_.setValue(kJarUrl, archiveUrl());
        return writeCorrection();
    }

    // The archive as the corrected descriptor names it: by its name when it lies
    // beside the descriptor, by a file: URL when the user chose one elsewhere.
    WideString archiveUrl() {
        auto full = [this](const WideString& path) {
            const WideString resolved = files_.fullPath(path);
            return resolved.empty() ? path : resolved;
        };
        const WideString jar = full(paths_.jar);
        if (equalsIgnoringAsciiCase(splitPath(jar).folder, splitPath(full(paths_.jad)).folder)) return jarNameOf(jar);
        return fileUrlOf(jar);
    }

    // A half-downloaded archive, an empty one or an error page saved as .jar
    // would otherwise be "corrected" into the descriptor and started: the size
    // alone cannot tell. The archive must open and hold an intact manifest.
    bool checkArchiveIsWhole(std::uint32_t jarSize) {
        ZipArchiveReader archive(files_);
        WideString cause;
        Bytes manifest;
        if (!archive.open(paths_.jar)) {
            const WideString systemReason = files_.failureReason();
            if (archive.openFailure() == ZipArchiveReader::OpenFailure::CannotOpen) {
                fail(readErrorText(paths_.jar, unreadableCause(files_, paths_.jar, systemReason)));
                return false;
            }
            cause = archiveOpenCause(files_, paths_.jar, archive, systemReason);
        } else if (!archive.readEntry(kManifestEntry, manifest)) {
            cause = u"Its manifest is missing or damaged.";
        } else {
            return true;
        }
        const WideString sizes =
            jarSize == declaredSize_
                ? formatValues(u"It is %s bytes, as the JAD file says.", {groupedDecimalText(jarSize)})
                : formatValues(u"It is %s bytes, and the JAD file says %s.",
                               {groupedDecimalText(jarSize), groupedDecimalText(declaredSize_)});
        fail(formatValues(u"The JAR file \"%s\" is damaged or incomplete.\n%s\n%s\nDownload it again, then open the "
                          u"JAD file again.",
                          {paths_.jar, cause, sizes}));
        return false;
    }

    LaunchContext& context_;
    Files& files_;
    UserInterface& ui_;
    SuitePaths paths_;
    AttributeDocument descriptor_;
    DecodedDescriptor read_;  // the encoding the descriptor was read in
    std::uint32_t declaredSize_ = 0;
    WideString webAddress_;  // the MIDlet-Jar-URL, when it is a web address
    bool archiveChosen_ = false;  // the user chose the archive of the web address
    bool temporary_ = false;  // the run goes on with the temporary copies
};

}  // namespace

WideString jadRepairText(const JadRepair& repair) {
    if (repair.webAddress.empty()) return {};
    WideString text = formatText(u"The JAD file names the JAR file by a web address:\n%s\n",
                                 shortenedWebAddress(repair.webAddress));
    text += formatText(repair.archiveChosen ? u"The JAR file you chose, \"%s\", is used instead."
                                            : u"The JAR file beside it, \"%s\", is used instead.",
                       repair.archiveName);
    if (repair.jarSize != repair.declaredSize)
        text += formatNumbers(u"\nIts size is %u bytes; the JAD file says %u bytes.", repair.jarSize, repair.declaredSize);
    return text;
}

bool runJadFlow(LaunchContext& context, const LaunchRequest& request) {
    return JadFlow(context, request.filePath).run(request.allowDefaultAction, request.externalArguments);
}

}  // namespace quillmont
