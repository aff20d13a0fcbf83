#include "core/scan/emulator_archive.h"

#include "core/launch/attribute_document.h"
#include "core/launch/read_failure.h"
#include "core/launch/zip_archive_reader.h"

namespace quillmont {

ArchiveEmulator emulatorOfArchive(Files& files, const WideString& path) {
    ZipArchiveReader archive(files);
    if (!archive.open(path)) return {nullptr, archiveOpenCause(files, path, archive, files.failureReason())};
    Bytes bytes;
    // An archive without a manifest is a library, not a program.
    if (!archive.readEntry(u"META-INF/MANIFEST.MF", bytes)) return {};
    AttributeDocument manifest;
    manifest.parse(bytes);
    return {presetForMainClass(manifest.value(u"Main-Class", true)), {}};
}

}  // namespace quillmont
