#include "core/launch/read_failure.h"

#include "core/text/message_format.h"

namespace quillmont {

namespace {

// A cause in the system's words may name the file as an insert ("The file or
// directory %1 is corrupted and unreadable.").
WideString withCause(const WideString& sentence, const WideString& path, const WideString& cause) {
    return cause.empty() ? sentence : sentence + u"\n" + fillSystemInserts(cause, path);
}

}  // namespace

WideString unreadableCause(Files& files, const WideString& path, const WideString& systemReason) {
    const std::optional<FileAttributes> found = files.attributes(path);
    if (!found) return u"The file does not exist.";
    if (found->directory) return u"It is a folder.";
    return systemReason;
}

WideString archiveOpenCause(Files& files, const WideString& path, const ZipArchiveReader& reader,
                            const WideString& systemReason) {
    using Failure = ZipArchiveReader::OpenFailure;
    switch (reader.openFailure()) {
        case Failure::None: return {};
        case Failure::CannotOpen: return unreadableCause(files, path, systemReason);
        case Failure::Empty: return u"It is empty.";
        case Failure::NotAnArchive: return u"It is not a JAR file.";
        case Failure::CutShort: return u"It ends before its last entry: an incomplete download.";
        case Failure::Unreadable: return u"It could not be read to its end.";
    }
    return {};
}

WideString readErrorText(const WideString& path, const WideString& cause) {
    return withCause(formatText(u"File \"%s\" read error.", path), path, cause);
}

WideString writeErrorText(const WideString& path, const WideString& cause) {
    return withCause(formatText(u"File \"%s\" write error.", path), path, cause);
}

}  // namespace quillmont
