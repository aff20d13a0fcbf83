#include "core/launch/jar_flow.h"

#include <algorithm>

#include "core/launch/archive_java.h"
#include "core/launch/attribute_document.h"
#include "core/launch/file_helpers.h"
#include "core/launch/j2se_flow.h"
#include "core/launch/jad_flow.h"
#include "core/launch/read_failure.h"
#include "core/launch/zip_archive_reader.h"
#include "core/text/message_format.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

constexpr char16_t kManifestEntry[] = u"META-INF/MANIFEST.MF";

bool isMidletSuite(const AttributeDocument& manifest) {
    return std::any_of(std::begin(kMidletAttributes), std::end(kMidletAttributes),
                       [&](const char16_t* name) { return manifest.has(name); });
}

class JarFlow {
public:
    JarFlow(LaunchContext& context, const LaunchRequest& request)
        : context_(context), files_(context.platform.files), ui_(context.platform.ui), request_(request) {}

    bool run() {
        const WideString& jarPath = request_.filePath;
        // The archive stays open, shared for reading, until the flow returns.
        ZipArchiveReader archive(files_);
        if (!archive.open(jarPath))
            return fail(readErrorText(jarPath, archiveOpenCause(files_, jarPath, archive, files_.failureReason())));
        Bytes manifestBytes;
        if (!archive.readEntry(kManifestEntry, manifestBytes)) return fail(u"No manifest is found.");
        AttributeDocument manifest;
        manifest.parse(manifestBytes);
        if (!isMidletSuite(manifest)) return runJ2seFlow(context_, request_, javaNeededBy(archive, manifest));

        const PathParts parts = splitPath(jarPath);
        const WideString companion = parts.folder + parts.baseName + u".jad";
        if (files_.attributes(companion)) return runJad(companion);
        return runThroughTemporaryDescriptor(jarPath, manifest);
    }

private:
    bool fail(const WideString& message) {
        ui_.showMessage(kNoWindow, message, MessageKind::OpeningError);
        return false;
    }

    bool runJad(const WideString& jadPath) {
        return runJadFlow(context_, {jadPath, request_.allowDefaultAction, request_.externalArguments});
    }

    // The manifest, without its first Manifest-Version line, its empty lines and a byte-order mark,
    // every line ended by a line feed, with the temporary archive's size and name.
    bool runThroughTemporaryDescriptor(const WideString& jarPath, AttributeDocument& manifest) {
        const std::optional<TemporaryCopy> copy = makeTemporaryCopy(files_, ui_, jarPath);
        if (!copy) return false;
        manifest.remove(u"Manifest-Version");
        manifest.removeEmptyLines();
        manifest.dropByteOrderMark();  // a descriptor of our own writing has none
        manifest.setAllTerminators(AttributeDocument::Terminator::Lf);

        std::optional<std::uint64_t> size;
        if (std::unique_ptr<ReadableFile> temporaryJar = files_.openForReading(copy->jarPath))
            size = temporaryJar->size();
        if (!size) return fail(readErrorText(copy->jarPath, u"Its size could not be read."));
        manifest.setValue(u"MIDlet-Jar-Size", decimalText(*size));
        manifest.setValue(u"MIDlet-Jar-URL", copy->jarName);
        WideString why;
        if (!writeWholeFile(files_, copy->jadPath, manifest.serialize(), &why))
            return fail(writeErrorText(copy->jadPath, why));
        return runJad(copy->jadPath);
    }

    LaunchContext& context_;
    Files& files_;
    UserInterface& ui_;
    const LaunchRequest& request_;
};

}  // namespace

bool runJarFlow(LaunchContext& context, const LaunchRequest& request) { return JarFlow(context, request).run(); }

}  // namespace quillmont
