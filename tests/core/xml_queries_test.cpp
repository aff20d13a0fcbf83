#include <gtest/gtest.h>

#include "core/scan/xml_queries.h"
#include "fake_xml_documents.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kDevices = u"C:\\S60\\devices.xml";
const WideString kRegistry = u"C:\\Program Files\\Brenwick\\registry.xml";

FakeXmlDocuments::Document deviceList() {
    using Element = FakeXmlDocuments::Element;
    return {
        {u"/devices/device", {3, Element{u"C:\\S60\\epoc32", {{u"id", u"S60_3rd"}}}}},
        {u"/devices/device[0]", {1, Element{u"C:\\S60\\epoc32", {{u"id", u"S60_3rd"}, {u"default", u"yes"}}}}},
        {u"/devices/device[1]", {1, Element{u"C:\\S60_5th\\epoc32", {{u"id", u"S60_5th"}}}}},
        {u"/devices/device[1]/epocroot", {1, Element{u"C:\\S60_5th\\", {}}}},
        {u"/devices/device/@id", {3, std::nullopt}},  // attribute nodes, not elements
        {u"/devices/empty", {1, Element{std::nullopt, {}}}},  // its text cannot be read
    };
}

FakeXmlDocuments::Document registry() {
    return {{u"/registry/product[@type='emulator']", {1, FakeXmlDocuments::Element{u"WTK 2.5", {}}}}};
}

class XmlQueriesTest : public ::testing::Test {
protected:
    XmlQueriesTest() {
        documents.add(kDevices, deviceList());
        documents.add(kRegistry, registry());
    }
    FakeXmlDocuments documents;
    XmlQueries queries{documents};
};

}  // namespace

TEST_F(XmlQueriesTest, AnswersWhatThePathSelects) {
    EXPECT_EQ(queries.xmlNodeCount(kDevices, u"/devices/device"), 3);
    EXPECT_EQ(queries.xmlAttribute(kDevices, indexedPath(u"/devices/device", 0), u"id"), u"S60_3rd");
    EXPECT_EQ(queries.xmlText(kDevices, indexedPath(u"/devices/device", 1) + u"/epocroot"), u"C:\\S60_5th\\");
}

TEST_F(XmlQueriesTest, WhatIsNotThereGivesZeroOrTheEmptyText) {
    struct Case {
        const char* what;
        WideString file;
        WideString path;
    };
    const Case cases[] = {
        {"a missing file", u"C:\\S60\\gone.xml", u"/devices/device"},
        {"an empty file path", u"", u"/devices/device"},
        {"an empty path", kDevices, u""},
        {"a path that selects nothing", kDevices, u"/devices/device[3]"},
        {"a node that is not an element", kDevices, u"/devices/device/@id"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(queries.xmlText(c.file, c.path), u"");
        EXPECT_EQ(queries.xmlAttribute(c.file, c.path, u"id"), u"");
    }
    EXPECT_EQ(queries.xmlNodeCount(u"C:\\S60\\gone.xml", u"/devices/device"), 0);
    EXPECT_EQ(queries.xmlNodeCount(u"", u"/devices/device"), 0);
    EXPECT_EQ(queries.xmlNodeCount(kDevices, u""), 0);
    EXPECT_EQ(queries.xmlNodeCount(kDevices, u"/devices/device[3]"), 0);
    EXPECT_EQ(queries.xmlAttribute(kDevices, u"/devices/device[1]", u"default"), u"");
    EXPECT_EQ(queries.xmlText(kDevices, u"/devices/empty"), u"");
}

TEST_F(XmlQueriesTest, AFileThatFailedToLoadIsTriedAgain) {
    const WideString later = u"C:\\S60\\later.xml";
    EXPECT_EQ(queries.xmlNodeCount(later, u"/devices/device"), 0);
    EXPECT_EQ(queries.xmlText(later, u"/devices/device"), u"");
    EXPECT_EQ(documents.loads, 2);
    documents.add(later, deviceList());
    EXPECT_EQ(queries.xmlNodeCount(later, u"/devices/device"), 3);
    EXPECT_EQ(documents.loads, 3);
}

TEST_F(XmlQueriesTest, QuestionsAboutOneFileLoadItOnce) {
    for (std::int32_t i = 0; i < queries.xmlNodeCount(kDevices, u"/devices/device"); ++i) {
        queries.xmlAttribute(kDevices, indexedPath(u"/devices/device", i), u"id");
        queries.xmlText(kDevices, indexedPath(u"/devices/device", i) + u"/epocroot");
    }
    EXPECT_EQ(documents.loads, 1);
}

TEST_F(XmlQueriesTest, AlternatingFilesOrLetterCaseReloads) {
    queries.xmlNodeCount(kDevices, u"/devices/device");
    queries.xmlNodeCount(kRegistry, u"/registry/product[@type='emulator']");
    queries.xmlNodeCount(kDevices, u"/devices/device");
    EXPECT_EQ(documents.loads, 3);
    // The same file to the system, but the key is exact.
    EXPECT_EQ(queries.xmlNodeCount(u"c:\\s60\\DEVICES.xml", u"/devices/device"), 3);
    EXPECT_EQ(documents.loads, 4);
}

TEST_F(XmlQueriesTest, RepeatedPathsReuseTheListAndTheNodeIndependently) {
    queries.xmlNodeCount(kDevices, u"/devices/device");
    queries.xmlAttribute(kDevices, u"/devices/device[0]", u"id");
    EXPECT_EQ(documents.selections, 2);
    // A node question does not disturb the cached list, and the other way round.
    EXPECT_EQ(queries.xmlNodeCount(kDevices, u"/devices/device"), 3);
    EXPECT_EQ(queries.xmlText(kDevices, u"/devices/device[0]"), u"C:\\S60\\epoc32");
    EXPECT_EQ(queries.xmlAttribute(kDevices, u"/devices/device[0]", u"default"), u"yes");
    EXPECT_EQ(documents.selections, 2);
    // Only the same path, exactly, is the same question.
    EXPECT_EQ(queries.xmlAttribute(kDevices, u"/devices/device[1]", u"id"), u"S60_5th");
    EXPECT_EQ(queries.xmlAttribute(kDevices, u"/devices/device[0]", u"id"), u"S60_3rd");
    EXPECT_EQ(documents.selections, 4);
}

TEST_F(XmlQueriesTest, AnotherDocumentClearsTheListAndTheNode) {
    queries.xmlNodeCount(kDevices, u"/devices/device");
    queries.xmlText(kDevices, u"/devices/device");
    queries.xmlNodeCount(kRegistry, u"/devices/device");  // selects nothing there
    EXPECT_EQ(queries.xmlText(kRegistry, u"/devices/device"), u"");
    EXPECT_EQ(documents.selections, 4);
    // The failed load of a missing file clears them too.
    queries.xmlNodeCount(kDevices, u"/devices/device");
    queries.xmlNodeCount(u"C:\\gone.xml", u"/devices/device");
    EXPECT_EQ(queries.xmlNodeCount(kDevices, u"/devices/device"), 3);
    EXPECT_EQ(documents.selections, 6);
}

TEST(IndexedPath, AppendsTheZeroBasedIndexInBrackets) {
    EXPECT_EQ(indexedPath(u"/devices/device", 0), u"/devices/device[0]");
    EXPECT_EQ(indexedPath(u"/registry/product[@type='emulator']", 12), u"/registry/product[@type='emulator'][12]");
    EXPECT_EQ(indexedPath(u"/properties/group", 2147483647), u"/properties/group[2147483647]");
}
