#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/scan/xml_queries.h"
#include "xml_contract.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kS3Root = u"C:\\Brenwick\\devices\\S3_SDK_v1.1\\";
const WideString kS5Root = u"D:\\SDKs\\S5 SDK\\";
const WideString kEmulators = u"/registry/product[@type='emulator']";
const WideString kPhoneText = u"Brenwick Phone Emulator 2.1 C:\\Program Files (x86)\\Brenwick\\Phone Emulator 2.1";
const WideString kAdapter = u"com.brenwick.emulator.midp.MidpAdapter";
const WideString kBeanName = u"/java/object/void[@property=\"name\"]/string";
const WideString kVendor = u"/properties/group[@name='identification']/property[@name='vendor']";
const WideString kDisplayName = u"/properties/entry[@key='device.displayname']";
const WideString kGermanName = u"Ger\u00e4t f\u00fcr Entwickler \u2013 \u958b\u767a\u6a5f";

struct Case {
    const char16_t* file;
    WideString path;
    std::int32_t count;
    std::optional<WideString> text;  // nothing: no element is selected first
    const char16_t* attributeName = nullptr;
    std::optional<WideString> attribute = std::nullopt;
};

// The files and paths of the SDK detectors, with zero-based positions.
const Case kCases[] = {
    {u"devices.xml", u"/devices/device", 3, kS3Root + u" " + kS3Root, u"id", u"Brenwick_S3_SDK_v1.1"},
    {u"devices.xml", indexedPath(u"/devices/device", 0), 1, kS3Root + u" " + kS3Root, u"default", u"yes"},
    {u"devices.xml", indexedPath(u"/devices/device", 1), 1, kS5Root + u" " + kS5Root, u"id", u"Brenwick_S5_SDK_v1.0"},
    {u"devices.xml", indexedPath(u"/devices/device", 1), 1, kS5Root + u" " + kS5Root, u"default", std::nullopt},
    {u"devices.xml", indexedPath(u"/devices/device", 2), 1, u"C:\\Symbian\\8.0a\\S2_FP3\\", u"name", u"com.brenwick.s2"},
    {u"devices.xml", indexedPath(u"/devices/device", 3), 0, std::nullopt},
    {u"devices.xml", indexedPath(u"/devices/device", 10), 0, std::nullopt},
    {u"devices.xml", u"/devices/device/epocroot", 3, kS3Root},
    {u"devices.xml", indexedPath(u"/devices/device", 0) + u"/epocroot", 1, kS3Root},
    {u"devices.xml", indexedPath(u"/devices/device", 1) + u"/epocroot", 1, kS5Root},
    // White space around the text is not part of it.
    {u"devices.xml", indexedPath(u"/devices/device", 2) + u"/epocroot", 1, u"C:\\Symbian\\8.0a\\S2_FP3\\"},
    {u"devices.xml", indexedPath(u"/devices/device", 3) + u"/epocroot", 0, std::nullopt},
    {u"devices.xml", u"/devices/device[@id='Brenwick_S5_SDK_v1.0']/epocroot", 1, kS5Root},
    {u"devices.xml", u"/epocroot", 0, std::nullopt},
    // Attributes and text are nodes too, but not elements.
    {u"devices.xml", u"/devices/device/@id", 3, std::nullopt},
    {u"devices.xml", indexedPath(u"/devices/device", 0) + u"/epocroot/text()", 1, std::nullopt},

    {u"registry.xml", kEmulators, 2, kPhoneText, u"id", u"phone"},
    {u"registry.xml", u"/registry/product[@type=\"emulator\"]", 2, kPhoneText, u"id", u"phone"},
    {u"registry.xml", indexedPath(kEmulators, 0) + u"/name", 1, u"Brenwick Phone Emulator 2.1"},
    {u"registry.xml", indexedPath(kEmulators, 1) + u"/name", 1, u"Brenwick Tablet Emulator 1.0"},
    {u"registry.xml", indexedPath(kEmulators, 1) + u"/location", 1, u"C:\\Brenwick\\Tablet"},
    {u"registry.xml", indexedPath(kEmulators, 1), 1, u"Brenwick Tablet Emulator 1.0 C:\\Brenwick\\Tablet", u"id",
     u"tablet"},
    {u"registry.xml", indexedPath(kEmulators, 2) + u"/name", 0, std::nullopt},
    {u"registry.xml", u"/registry/product[@type='sdk']/location", 1, u"C:\\Brenwick\\SDK"},
    {u"registry.xml", u"/registry/product[@type='installer']", 0, std::nullopt},
    {u"registry.xml", u"/name", 0, std::nullopt},
    {u"registry.xml", u"/location", 0, std::nullopt},

    {u"emulator_beans.xml", u"/java/object/void[@property=\"adapter\"]/string", 1, kAdapter},
    {u"emulator_beans.xml", u"/java/object/void[@property='adapter']/string", 1, kAdapter},
    {u"emulator_beans.xml", kBeanName, 1, u"BrenwickPhone_QVGA"},
    {u"emulator_beans.xml", indexedPath(kBeanName, 0), 1, u"BrenwickPhone_QVGA"},
    {u"emulator_beans.xml", indexedPath(kBeanName, 1), 0, std::nullopt},
    {u"emulator_beans.xml", u"/java/object/void", 3, kAdapter, u"property", u"adapter"},

    {u"device_properties.xml", u"/properties/group", 2, u"", u"name", u"identification"},
    {u"device_properties.xml", indexedPath(u"/properties/group", 1), 1, u"", u"name", u"screen"},
    {u"device_properties.xml", indexedPath(u"/properties/group", 2), 0, std::nullopt},
    {u"device_properties.xml", indexedPath(u"/properties/group", 1) + u"/property", 2, u"", u"value", u"240"},
    {u"device_properties.xml", kVendor, 1, u"", u"value", u"Brenwick & S\u00f6hne"},
    {u"device_properties.xml", indexedPath(kVendor, 0), 1, u"", u"value", u"Brenwick & S\u00f6hne"},
    {u"device_properties.xml", u"/properties/group[@name=\"identification\"]/property[@name=\"model\"]", 1, u"",
     u"value", u"BP-200"},
    {u"device_properties.xml", kDisplayName, 0, std::nullopt},

    {u"emulator.properties.xml", kDisplayName, 1, u"Brenwick Phone (QVGA)", u"key", u"device.displayname"},
    {u"emulator.properties.xml", indexedPath(kDisplayName, 0), 1, u"Brenwick Phone (QVGA)"},
    {u"emulator.properties.xml", u"/properties/entry[@key=\"device.skin\"]", 1, u"skins/qvga"},
    {u"emulator.properties.xml", u"/properties/group", 0, std::nullopt},

    {u"product_data.xml", u"/ProductData/ProductName", 1, u"Brenwick Wireless Toolkit 2.5.2"},
    {u"product_data.xml", u"/ProductData/ProductHome", 1, u"C:\\Brenwick\\WTK252"},
    {u"product_data.xml", u"/ProductData/ExecutableFile", 1, u"bin\\emulator.exe"},
    {u"product_data.xml", indexedPath(u"/ProductData/ExecutableFile", 0), 1, u"bin\\emulator.exe"},
    {u"product_data.xml", indexedPath(u"/ProductData/ExecutableFile", 1), 0, std::nullopt},
    // Names are case-sensitive.
    {u"product_data.xml", u"/productdata/productname", 0, std::nullopt},

    {u"ger\u00e4t.xml", u"/device/displayname", 1, kGermanName},
    {u"ger\u00e4t.xml", indexedPath(u"/device/displayname", 0), 1, kGermanName},
};

std::string printable(const WideString& text) {
    std::string result;
    for (const char16_t c : text) result.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return result;
}

class XmlContract : public ::testing::Test {
protected:
    std::unique_ptr<XmlHarness> harness = makeXmlHarness();
    XmlDocuments& documents = harness->documents();
    WideString at(const WideString& name) { return harness->folder() + name; }
};

}  // namespace

TEST_F(XmlContract, PathsSelectCountTextAndAttributesAsOnWindows) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(printable(WideString(c.file) + u" " + c.path));
        std::unique_ptr<XmlDocument> document = documents.load(at(c.file));
        ASSERT_NE(document, nullptr);
        std::unique_ptr<XmlNodeList> nodes = document->selectNodes(c.path);
        ASSERT_NE(nodes, nullptr);
        EXPECT_EQ(nodes->length(), c.count);
        std::unique_ptr<XmlElement> element = document->selectElement(c.path);
        EXPECT_EQ(element != nullptr, c.text.has_value());
        if (element == nullptr || !c.text) continue;
        EXPECT_EQ(element->text(), c.text);
        if (c.attributeName != nullptr) {
            EXPECT_EQ(element->attribute(c.attributeName), c.attribute);
        }
    }
}

TEST_F(XmlContract, FilesThatAreMissingOrNotWellFormedDoNotLoad) {
    EXPECT_EQ(documents.load(at(u"missing.xml")), nullptr);
    EXPECT_EQ(documents.load(at(u"truncated.xml")), nullptr);
    EXPECT_EQ(documents.load(u""), nullptr);
    // A document that failed takes nothing away from the next one.
    std::unique_ptr<XmlDocument> document = documents.load(at(u"devices.xml"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->selectNodes(u"/devices/device")->length(), 3);
    // A file name is a name, not a URL with escapes and a fragment.
    std::unique_ptr<XmlDocument> oddlyNamed = documents.load(at(u"100% sure #1.xml"));
    ASSERT_NE(oddlyNamed, nullptr);
    EXPECT_EQ(oddlyNamed->selectElement(u"/product/name")->text(), u"Named oddly");
}

// SDK files come from folders anyone may write to: both sides refuse the same
// hostile documents, and a document type that only names its definition loads.
TEST_F(XmlContract, HostileDocumentsAreRefusedAlike) {
    for (const char16_t* name : {u"billion laughs.xml", u"deep.xml", u"garbage.xml"})
        EXPECT_EQ(documents.load(at(name)), nullptr) << printable(name);
    std::unique_ptr<XmlDocument> deepest = documents.load(at(u"shallow enough.xml"));
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->selectElement(u"/e")->text(), u"x");
    EXPECT_NE(documents.load(at(u"emulator.properties.xml")), nullptr);
}

TEST_F(XmlContract, InvalidOrEmptyExpressionsSelectNothing) {
    if (!harness->survivesMalformedExpressions()) GTEST_SKIP() << "this parser crashes on malformed expressions";
    std::unique_ptr<XmlDocument> document = documents.load(at(u"devices.xml"));
    ASSERT_NE(document, nullptr);
    for (const WideString path : {u"/devices/device[", u"/devices/device[@id='Brenwick_S3_SDK_v1.1]", u"/devices//["}) {
        SCOPED_TRACE(printable(path));
        EXPECT_EQ(document->selectNodes(path), nullptr);
        EXPECT_EQ(document->selectElement(path), nullptr);
    }
    std::unique_ptr<XmlNodeList> none = document->selectNodes(u"");
    EXPECT_TRUE(none == nullptr || none->length() == 0);
    EXPECT_EQ(document->selectElement(u""), nullptr);
}
