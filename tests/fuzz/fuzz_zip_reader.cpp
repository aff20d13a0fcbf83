// Any bytes opened as an archive: no crash, no read outside a buffer, and no
// allocation beyond the file's size plus the entry bound (ASan's allocation
// limit, set by the test script, turns a larger one into a failure).
#include <cstdlib>

#include "core/launch/zip_archive_reader.h"
#include "fake_files.h"

using namespace quillmont;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::FakeFiles files;
    files.addFile(u"C:\\fuzz.jar", Bytes(data, data + size));
    ZipArchiveReader reader(files);
    if (!reader.open(u"C:\\fuzz.jar")) {
        if (reader.isOpen() || files.openReaders() != 0) std::abort();
        return 0;
    }
    Bytes out;
    for (const char16_t* name : {u"META-INF/MANIFEST.MF", u"META-INF/", u"a", u""}) {
        if (reader.readEntry(name, out) && out.size() > ZipArchiveReader::kMaxEntrySize) std::abort();
    }
    return 0;
}
