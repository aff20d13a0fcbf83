// Prints an archive's manifest, read by the program's own zip reader: the
// whole-process counterpart of `unzip -p ARCHIVE META-INF/MANIFEST.MF` in the
// zip benchmark. Exit code 1 when the archive or its manifest cannot be read.
#include <cstdio>

#include "core/launch/zip_archive_reader.h"
#include "posix_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ARCHIVE\n", argv[0]);
        return 2;
    }
    quillmont::bench::PosixFiles files;
    quillmont::ZipArchiveReader archive(files);
    quillmont::Bytes manifest;
    if (!archive.open(quillmont::bench::widePath(argv[1])) || !archive.readEntry(u"META-INF/MANIFEST.MF", manifest)) {
        std::fprintf(stderr, "%s: no readable manifest\n", argv[1]);
        return 1;
    }
    const bool written = std::fwrite(manifest.data(), 1, manifest.size(), stdout) == manifest.size();
    return std::fflush(stdout) == 0 && written ? 0 : 1;
}
