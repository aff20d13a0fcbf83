// Any bytes opened as an archive: no crash, no read outside a buffer, and no
// allocation beyond the file's size plus the entry bound (ASan's allocation
// limit, set by the test script, turns a larger one into a failure). The Java
// an archive needs is read from the same bytes: its manifest's classes, and the
// bytes themselves as a class header.
#include <cstdlib>
#include <utility>

#include "core/launch/archive_java.h"
#include "core/launch/zip_archive_reader.h"
#include "fake_files.h"

using namespace quillmont;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::FakeFiles files;
    files.addFile(u"C:\\fuzz.jar", Bytes(data, data + size));
    const std::optional<int> version = classFileJavaVersion(std::span(data, size));
    if (version && (*version < 1 || *version > 200)) std::abort();
    ZipArchiveReader reader(files);
    if (!reader.open(u"C:\\fuzz.jar")) {
        if (reader.isOpen() || files.openReaders() != 0) std::abort();
        return 0;
    }
    Bytes out;
    for (const char16_t* name : {u"META-INF/MANIFEST.MF", u"META-INF/", u"a", u""}) {
        if (reader.readEntry(name, out) && out.size() > ZipArchiveReader::kMaxEntrySize) std::abort();
    }
    if (reader.readEntry(u"META-INF/MANIFEST.MF", out)) {
        AttributeDocument manifest;
        manifest.parse(std::move(out));
        const int needed = javaNeededBy(reader, manifest);
        if (needed < 0 || needed > 200) std::abort();
    }
    return 0;
}
