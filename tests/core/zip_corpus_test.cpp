// Real archives from other projects' test suites, read entry by entry. The outcome
// of every entry comes from tests/corpus/zip_corpus_expected.tsv, which
// tests/corpus/zip_oracle.py derives from the reader's rules (and which says why
// for each row); this test only holds the reader to it.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/launch/zip_archive_reader.h"
#include "fake_files.h"
#include "testdata.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kArchive = u"C:\\corpus\\archive.zip";

struct Row {
    std::string name;     // as written in the table, %XX escapes left in; "*" for the archive itself
    std::string outcome;  // open-fails, empty, no-entries, ok SIZE CRC32 or refused
    std::string why;
};

struct Archive {
    std::string path;  // relative to the test data
    std::vector<Row> rows;
};

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    return fields;
}

// The archives of the table in its order, each with its rows.
std::vector<Archive> readTable() {
    std::ifstream in(QUILLMONT_ZIP_CORPUS_TABLE, std::ios::binary);
    std::vector<Archive> archives;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields = splitTabs(line);
        if (fields.size() != 4) {
            ADD_FAILURE() << "malformed row: " << line;
            continue;
        }
        if (archives.empty() || archives.back().path != fields[0]) archives.push_back({fields[0], {}});
        archives.back().rows.push_back({fields[1], fields[2], fields[3]});
    }
    return archives;
}

// Each stored byte of the name as one code unit, as the reader compares them.
WideString entryName(const std::string& escaped) {
    WideString name;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(escaped[i]);
        if (byte == '%' && i + 2 < escaped.size()) {
            byte = static_cast<unsigned char>(std::stoi(escaped.substr(i + 1, 2), nullptr, 16));
            i += 2;
        }
        name.push_back(static_cast<char16_t>(byte));
    }
    return name;
}

// What the reader made of an entry, written as the table writes it.
std::string outcomeOf(ZipArchiveReader& reader, const WideString& name) {
    Bytes out;
    if (!reader.readEntry(name, out)) return "refused";
    const auto crc = ::crc32(0L, out.data(), static_cast<uInt>(out.size()));
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(crc));
    return "ok " + std::to_string(out.size()) + " " + hex;
}

void checkArchive(const Archive& archive) {
    SCOPED_TRACE(archive.path);
    const Bytes bytes = readTestdata(archive.path);
    ASSERT_FALSE(bytes.empty()) << "cannot read " << testdataPath(archive.path);
    FakeFiles files;
    files.addFile(kArchive, bytes);
    ZipArchiveReader reader(files);
    const bool opened = reader.open(kArchive);
    const Row& first = archive.rows.front();
    if (first.outcome == "open-fails") {
        EXPECT_FALSE(opened) << archive.path << " opens, expected to fail: " << first.why;
        return;
    }
    ASSERT_TRUE(opened) << archive.path << " does not open";
    if (first.name == "*") {
        // An empty directory or one whose walk finds no record: nothing can be read.
        for (const WideString& name : {WideString(), WideString(u"META-INF/MANIFEST.MF")}) {
            EXPECT_EQ(outcomeOf(reader, name), "refused") << archive.path << " (" << first.outcome << ": " << first.why
                                                          << ")";
        }
    }
    for (const Row& row : archive.rows) {
        if (row.name == "*") continue;
        EXPECT_EQ(outcomeOf(reader, entryName(row.name)), row.outcome)
            << archive.path << " entry \"" << row.name << "\": " << row.why;
    }
}

void checkFolder(const std::string& folder) {
    QUILLMONT_NEEDS_TESTDATA();
    int checked = 0;
    for (const Archive& archive : readTable()) {
        if (archive.path.rfind(folder, 0) != 0) continue;
        checkArchive(archive);
        ++checked;
    }
    EXPECT_GT(checked, 0) << "no archive of " << folder << " in " << QUILLMONT_ZIP_CORPUS_TABLE;
}

}  // namespace

TEST(ZipCorpus, GoArchives) { checkFolder("zip/go/"); }
TEST(ZipCorpus, LibzipArchives) { checkFolder("zip/libzip/"); }
TEST(ZipCorpus, MinizipNgArchives) { checkFolder("zip/minizip-ng/"); }
