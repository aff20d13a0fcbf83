#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/launch/attribute_document.h"
#include "core/text/utf8.h"
#include "testdata.h"

using namespace quillmont;
using namespace quillmont::testing;
using Terminator = AttributeDocument::Terminator;

namespace {

AttributeDocument parsed(const std::string& text) {
    AttributeDocument document;
    document.parse(bytesOf(text));
    return document;
}

std::string serialized(const AttributeDocument& document) { return textOf(document.serialize()); }

// The document's bytes after the size line was set, as a JAD correction does.
std::string corrected(const std::string& text, const std::string& size = "4242") {
    AttributeDocument document = parsed(text);
    document.setValue(u"MIDlet-Jar-Size", ascii(size.c_str()));
    return serialized(document);
}

}  // namespace

TEST(AttributeDocument, LinesSplitOnEveryKindOfLineEnd) {
    const AttributeDocument document = parsed("a\nb\rc\r\nd\n\re");
    ASSERT_EQ(document.lineCount(), 5u);
    const Terminator expected[] = {Terminator::Lf, Terminator::Cr, Terminator::CrLf, Terminator::LfCr,
                                   Terminator::None};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(document.lineText(i), WideString(1, static_cast<char16_t>(u'a' + i)));
        EXPECT_EQ(document.lineTerminator(i), expected[i]) << i;
    }
}

// Line ends are looked for eight bytes at a time: one at every place of a word,
// among bytes that differ from LF or CR by one bit, or by the high bit alone.
TEST(AttributeDocument, LineEndsAreFoundAtEveryPlaceOfAWord) {
    std::string text;
    std::vector<std::string> lines;
    for (std::size_t length = 0; length < 18; ++length) {
        std::string line;
        for (std::size_t i = 0; i < length; ++i) line += "\x0b\x0c\x8a\x8d\x0e\x09"[i % 6];
        lines.push_back(line);
        text += line + (length % 2 == 0 ? "\n" : "\r");
    }
    const AttributeDocument document = parsed(text);
    ASSERT_EQ(document.lineCount(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(document.lineText(i), decodeUtf8Lenient(bytesOf(lines[i]))) << i;
    EXPECT_EQ(serialized(document), text);
}

TEST(AttributeDocument, EmptyInputHasNoLinesAndAFinalLineEndAddsNoEmptyLine) {
    EXPECT_EQ(parsed("").lineCount(), 0u);
    EXPECT_EQ(parsed("a: 1\r\n").lineCount(), 1u);
    const AttributeDocument doubled = parsed("a\n\nb");
    ASSERT_EQ(doubled.lineCount(), 3u);
    EXPECT_EQ(doubled.lineText(1), u"");
    // "\n\r\n" is LF CR followed by LF: the pair is taken first.
    const AttributeDocument mixed = parsed("a\n\r\nb");
    ASSERT_EQ(mixed.lineCount(), 3u);
    EXPECT_EQ(mixed.lineTerminator(0), Terminator::LfCr);
    EXPECT_EQ(mixed.lineTerminator(1), Terminator::Lf);
}

TEST(AttributeDocument, AnAttributeIsItsNameAColonAndOneSpaceInAnyAsciiCase) {
    const AttributeDocument document = parsed(
        "MIDlet-Jar-Sizex: 1\n midlet-jar-size: 2\nMIDlet-Jar-Size:3\nmidlet-JAR-size: 4\nMIDlet-Jar-Size: 5\n");
    EXPECT_EQ(document.find(u"MIDlet-Jar-Size"), 3);
    EXPECT_EQ(document.value(u"MIDlet-Jar-Size", false), u"4");
    EXPECT_TRUE(document.has(u"MIDLET-JAR-SIZE"));
    EXPECT_FALSE(document.has(u"MIDlet-Jar-URL"));
    EXPECT_EQ(document.value(u"MIDlet-Jar-URL", true), u"");
}

TEST(AttributeDocument, ValuesKeepTheirSpacesUnlessTrimmed) {
    const AttributeDocument document = parsed("MIDlet-Jar-URL:    app.jar  \t\nMIDlet-Name: \n");
    EXPECT_EQ(document.value(u"MIDlet-Jar-URL", false), u"   app.jar  \t");
    EXPECT_EQ(document.value(u"MIDlet-Jar-URL", true), u"app.jar");
    EXPECT_EQ(document.value(u"MIDlet-Name", true), u"");
    EXPECT_TRUE(document.has(u"MIDlet-Name"));
}

TEST(AttributeDocument, ContinuationLinesAndOpaqueLinesStayLinesOfTheirOwn) {
    AttributeDocument document = parsed("MIDlet-Description: first\r\n second\r\nno colon here\r\n");
    ASSERT_EQ(document.lineCount(), 3u);
    EXPECT_EQ(document.value(u"MIDlet-Description", false), u"first");
    EXPECT_EQ(document.lineText(1), u" second");
}

TEST(AttributeDocument, SettingALineKeepsItsLineEndAndWritesTheCallersName) {
    EXPECT_EQ(corrected("a: 1\r\nmidlet-jar-size: 7\r\nb: 2"), "a: 1\r\nMIDlet-Jar-Size: 4242\r\nb: 2");
    EXPECT_EQ(corrected("MIDlet-Jar-Size: 7"), "MIDlet-Jar-Size: 4242");
}

TEST(AttributeDocument, AnAppendedLineEndsLikeTheFirstLineOrWithLfCrInAShortDocument) {
    EXPECT_EQ(corrected(""), "MIDlet-Jar-Size: 4242\n\r");
    EXPECT_EQ(corrected("MIDlet-1: a\r\n"), "MIDlet-1: a\r\nMIDlet-Jar-Size: 4242\n\r");
    EXPECT_EQ(corrected("a: 1\r\nb: 2\n"), "a: 1\r\nb: 2\nMIDlet-Jar-Size: 4242\r\n");
}

// Without a line end the last line and the appended one would be read back as
// one line: the last line gets the new line's line end.
TEST(AttributeDocument, AppendingAfterALastLineWithoutLineEndKeepsTheLinesApart) {
    EXPECT_EQ(corrected("a: 1"), "a: 1\n\rMIDlet-Jar-Size: 4242\n\r");
    EXPECT_EQ(corrected("a: 1\r\nb: 2"), "a: 1\r\nb: 2\r\nMIDlet-Jar-Size: 4242\r\n");
}

TEST(AttributeDocument, RemoveTakesOnlyTheFirstLineOfTheName) {
    AttributeDocument document = parsed("Manifest-Version: 1.0\nmanifest-version: 2\nx: 1\n");
    document.remove(u"Manifest-Version");
    EXPECT_EQ(serialized(document), "manifest-version: 2\nx: 1\n");
    document.remove(u"Absent");
    EXPECT_EQ(document.lineCount(), 2u);
}

TEST(AttributeDocument, EmptyLinesGoWithTheirLineEndsAndTerminatorsCanBeUnified) {
    AttributeDocument document = parsed("a: 1\r\n\r\nName: x\r\n \r\nb: 2\r\n\r\n");
    document.removeEmptyLines();
    EXPECT_EQ(serialized(document), "a: 1\r\nName: x\r\n \r\nb: 2\r\n");
    document.setAllTerminators(Terminator::Lf);
    EXPECT_EQ(serialized(document), "a: 1\nName: x\n \nb: 2\n");
}

TEST(AttributeDocument, TextIsDecodedLeniently) {
    // Two- and three-byte sequences, a byte-order mark, a lead byte at the very end.
    const AttributeDocument document = parsed("\xEF\xBB\xBFMIDlet-Name: caf\xC3\xA9 \xE2\x82\xAC\n\xC3");
    // The mark is no part of the first line, and is written back as it was.
    EXPECT_EQ(document.lineText(0), u"MIDlet-Name: caf\u00E9 \u20AC");
    EXPECT_EQ(document.find(u"MIDlet-Name"), 0);
    EXPECT_EQ(serialized(document), "\xEF\xBB\xBFMIDlet-Name: caf\xC3\xA9 \xE2\x82\xAC\n\xC3");
    EXPECT_EQ(document.lineText(1), u"\u00C3");
    // A three-byte lead with only one byte left gives the two-byte result.
    EXPECT_EQ(decodeUtf8Lenient(bytesOf("\xE2\x82")), u"\u0082");
}

// Bytes that are not UTF-8 (Windows-1251, Latin-1, four-byte sequences) cannot
// swallow a line end, and every line that was not set keeps its bytes.
TEST(AttributeDocument, OnlyTheSetLinesBytesChangeWhateverTheEncoding) {
    const std::string cyrillic =
        "MIDlet-Name: \xC8\xE3\xF0\xE0\r\nMIDlet-Vendor: \xCE\xCE\xCE \xAB\xD0\xEE\xEC\xE0\xF8\xEA\xE0\xBB\r\n"
        "MIDlet-Jar-Size: 1\r\nMIDlet-Jar-URL: \xE8\xE3\xF0\xE0.jar\r\n";
    EXPECT_EQ(parsed(cyrillic).lineCount(), 4u);
    EXPECT_EQ(corrected(cyrillic), std::string(cyrillic).replace(cyrillic.find("Size: 1"), 7, "Size: 4242"));

    const std::string latin1 = "MIDlet-Vendor: Caf\xE9\r\nMIDlet-Jar-Size: 1\r\nMIDlet-Description: na\xEF\r\n";
    const AttributeDocument latinDocument = parsed(latin1);
    ASSERT_EQ(latinDocument.lineCount(), 3u);
    EXPECT_EQ(latinDocument.value(u"MIDlet-Jar-Size", true), u"1");
    EXPECT_EQ(corrected(latin1), "MIDlet-Vendor: Caf\xE9\r\nMIDlet-Jar-Size: 4242\r\nMIDlet-Description: na\xEF\r\n");

    const std::string emoji =
        "MIDlet-Description: fun \xF0\x9F\x98\x80\xF0\x9F\x8E\xAE\nMIDlet-Jar-Size: 1\nMIDlet-Jar-URL: a.jar\n";
    const AttributeDocument emojiDocument = parsed(emoji);
    ASSERT_EQ(emojiDocument.lineCount(), 3u);
    EXPECT_EQ(emojiDocument.value(u"MIDlet-Jar-URL", true), u"a.jar");
    EXPECT_EQ(corrected(emoji),
              "MIDlet-Description: fun \xF0\x9F\x98\x80\xF0\x9F\x8E\xAE\nMIDlet-Jar-Size: 4242\nMIDlet-Jar-URL: a.jar\n");
}

TEST(AttributeDocument, UntouchedDocumentsOfRealFilesSerializeToTheirBytes) {
    QUILLMONT_NEEDS_TESTDATA();
    for (const char* file : {"text/UTF-8-test.txt", "j2me/miniTruco.jad", "j2me/FPlay.jad"}) {
        const Bytes bytes = readTestdata(file);
        ASSERT_FALSE(bytes.empty()) << file;
        AttributeDocument document;
        document.parse(bytes);
        EXPECT_EQ(document.serialize(), bytes) << file;
    }
}

TEST(AttributeDocument, CorrectingTheStressTestChangesOnlyTheAppendedLine) {
    QUILLMONT_NEEDS_TESTDATA();
    const Bytes bytes = readTestdata("text/UTF-8-test.txt");
    AttributeDocument document;
    document.parse(bytes);
    document.setValue(u"MIDlet-Jar-Size", u"1");
    Bytes expected = bytes;
    const std::string appended = "MIDlet-Jar-Size: 1\n";
    expected.insert(expected.end(), appended.begin(), appended.end());
    EXPECT_EQ(document.serialize(), expected);
}

TEST(AttributeDocument, CorrectingARealDescriptorChangesOnlyItsSizeLine) {
    QUILLMONT_NEEDS_TESTDATA();
    const Bytes bytes = readTestdata("j2me/miniTruco.jad");
    const std::string text = textOf(bytes);
    EXPECT_EQ(corrected(text, "93739"), std::string(text).replace(text.find("79158"), 5, "93739"));
}

TEST(AttributeDocument, SetLinesAreEncodedAsUtf8) {
    AttributeDocument document = parsed("MIDlet-Jar-URL: old.jar\n");
    document.setValue(u"MIDlet-Jar-URL", u"caf\u00E9 \u20AC.jar");
    EXPECT_EQ(serialized(document), "MIDlet-Jar-URL: caf\xC3\xA9 \xE2\x82\xAC.jar\n");
}

// The edits of a temporary descriptor on a manifest of a few kilobytes, whose
// lines end in every way: each line is found by its index after lines before
// it went, and what is written is the lines that are left, in order.
TEST(AttributeDocument, EditsOfALongDocumentKeepEveryOtherLineInItsPlace) {
    const char* ends[] = {"\r\n", "\n", "\r", "\n\r"};
    std::string text = "Manifest-Version: 1.0\r\n";
    std::vector<std::string> kept;  // the lines that are not empty, each with its end
    for (int i = 0; i < 300; ++i) {
        // An empty line and the line before it end in pairs, so that no two ends run together.
        const bool empty = i % 7 == 3;
        const std::string end = empty || i % 7 == 2 ? "\r\n" : ends[i % 4];
        const std::string line = empty ? "" : "Key-" + std::to_string(i) + ": value " + std::to_string(i);
        text += line + end;
        if (!empty) kept.push_back(line + end);
    }
    text += "Last: no line end";
    kept.push_back("Last: no line end");

    AttributeDocument document = parsed(text);
    document.removeEmptyLines();
    document.remove(u"Manifest-Version");
    ASSERT_EQ(document.lineCount(), kept.size());
    // The appended line ends like the first line left, and so does the last line.
    document.setValue(u"MIDlet-Jar-Size", u"5");
    std::string written;
    for (std::string& line : kept) {
        written += line;
        line.erase(line.find_last_not_of("\r\n") + 1);
    }
    EXPECT_EQ(serialized(document), written + "\r\nMIDlet-Jar-Size: 5\r\n");

    document.setAllTerminators(Terminator::Lf);
    document.setValue(u"Key-250", u"changed");
    const auto changed = std::find(kept.begin(), kept.end(), "Key-250: value 250");
    *changed = "Key-250: changed";
    kept.push_back("MIDlet-Jar-Size: 5");
    written.clear();
    ASSERT_EQ(document.lineCount(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(document.lineText(i), ascii(kept[i].c_str())) << i;
        EXPECT_EQ(document.lineTerminator(i), Terminator::Lf) << i;
        written += kept[i] + "\n";
    }
    EXPECT_EQ(serialized(document), written);
    EXPECT_EQ(document.find(u"Key-250"), changed - kept.begin());
    EXPECT_EQ(document.value(u"Key-299", false), u"value 299");
}

// A line is decoded only as far as a look-up needs, and that must give the units
// that decoding the whole line gives: a lead byte takes the colon after it and
// stands for itself before a line end, and any byte from 0x80 on leads.
TEST(AttributeDocument, NamesAreComparedWithTheLinesDecodedText) {
    struct Case {
        const char* text;
        const char16_t* name;
        std::ptrdiff_t index;
    };
    for (const Case& c : {Case{"caf\xC3\xA9: 1\n", u"CAF\u00E9", 0}, Case{"caf\xC3\xA9: 1\n", u"caf\u00C9", -1},
                          Case{"x\n\xE2\x82\xAC\xE2\x82\xAC: 1\nMIDlet-Name: more lines after it\n", u"\u20AC\u20AC", 1},
                          Case{"\x82\x82\xAC: 1\n", u"\u20AC", 0},
                          Case{"\xE2\x82\xAC\xE2\x82\xAC:1\n\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC: 1", u"\u20AC\u20AC", -1},
                          Case{"\xC3\n\xC3: 1\n", u"\u00C3", -1}, Case{"\xC3\n\xC3:: 1\n", u"\u00FA", 1},
                          Case{"\xC3\n\xC3\x83: 1\n", u"\u00C3", 1}, Case{": 1\n", u"", 0}}) {
        EXPECT_EQ(parsed(c.text).find(c.name), c.index) << c.text;
    }
    const std::string description(5000, 'd');
    EXPECT_EQ(parsed("MIDlet-Description: " + description + "\r\n").value(u"MIDlet-Description", false),
              ascii(description.c_str()));
}
