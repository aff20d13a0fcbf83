#include <gtest/gtest.h>

#include "system_contract.h"

using namespace quillmont;
using namespace quillmont::testing;

TEST(VersionResourcesContract, TheFirstTranslationNamesTheStringTableToRead) {
    std::unique_ptr<VersionResourcesHarness> harness = makeVersionResourcesHarness();
    VersionResources& versions = harness->versions();
    const WideString program = harness->programWithVersion();

    const std::optional<VersionTranslation> translation = versions.firstTranslation(program);
    ASSERT_TRUE(translation.has_value());
    EXPECT_EQ(*translation, (VersionTranslation{0x0409, 0x04B0}));
    EXPECT_EQ(versions.stringValue(program, *translation, u"ProductName"), WideString(u"Quillmont"));
    EXPECT_EQ(versions.stringValue(program, *translation, u"FileVersion"), WideString(u"1.2.0.0"));
    EXPECT_FALSE(versions.stringValue(program, *translation, u"Full Version").has_value());
    EXPECT_FALSE(versions.stringValue(program, {0x0407, 0x04B0}, u"ProductName").has_value());

    for (const WideString& file : {harness->fileWithoutVersion(), harness->missingFile()}) {
        EXPECT_FALSE(versions.firstTranslation(file).has_value());
        EXPECT_FALSE(versions.stringValue(file, *translation, u"ProductName").has_value());
    }
}

TEST(VersionResourcesContract, TheFixedFileVersionComesInItsFourParts) {
    std::unique_ptr<VersionResourcesHarness> harness = makeVersionResourcesHarness();
    VersionResources& versions = harness->versions();
    EXPECT_EQ(versions.fixedFileVersion(harness->programWithVersion()), (FixedFileVersion{1, 2, 0, 0}));
    EXPECT_FALSE(versions.fixedFileVersion(harness->fileWithoutVersion()).has_value());
    EXPECT_FALSE(versions.fixedFileVersion(harness->missingFile()).has_value());
}

TEST(EnvironmentContract, ReferencesExpandInAFixedBufferOrStayAsWritten) {
    std::unique_ptr<EnvironmentHarness> harness = makeEnvironmentHarness();
    Environment& environment = harness->environment();
    harness->setVariable(u"QUILLMONT_TEST_PROFILE", u"C:\\Users\\Tester");
    harness->setVariable(u"QUILLMONT_TEST_LONG", WideString(3000, u'x'));

    struct Case {
        WideString text, expected;
    };
    const Case cases[] = {
        {u"%QUILLMONT_TEST_PROFILE%\\javame-sdk\\3.0\\work", u"C:\\Users\\Tester\\javame-sdk\\3.0\\work"},
        {u"%quillmont_test_profile%", u"C:\\Users\\Tester"},
        {u"%QUILLMONT_TEST_PROFILE%%QUILLMONT_TEST_PROFILE%", u"C:\\Users\\TesterC:\\Users\\Tester"},
        {u"%QUILLMONT_NOT_SET%\\work", u"%QUILLMONT_NOT_SET%\\work"},
        {u"100% sure", u"100% sure"},
        {u"", u""},
        // Too long for the buffer once expanded: the buffer keeps the text.
        {u"%QUILLMONT_TEST_LONG%%QUILLMONT_TEST_LONG%", u"%QUILLMONT_TEST_LONG%%QUILLMONT_TEST_LONG%"},
        {WideString(5000, u'y'), WideString(Environment::kExpansionBuffer - 1, u'y')},
    };
    for (const Case& c : cases) EXPECT_EQ(environment.expandEnvironment(c.text), c.expected) << c.text.size();
    EXPECT_EQ(environment.expandEnvironment(u"%QUILLMONT_TEST_LONG%").size(), 3000u);
}

TEST(EnvironmentContract, AVariableIsReadWholeAtAnyLengthAndAMissingOneIsNothing) {
    std::unique_ptr<EnvironmentHarness> harness = makeEnvironmentHarness();
    harness->setVariable(u"QUILLMONT_TEST_PATH", WideString(20000, u'p') + u";%OTHER%");
    EXPECT_EQ(harness->environment().variable(u"quillmont_test_path"), WideString(20000, u'p') + u";%OTHER%");
    EXPECT_EQ(harness->environment().variable(u"QUILLMONT_TEST_NOT_SET"), std::nullopt);
}

TEST(EnvironmentContract, LowerCaseCoversEveryAlphabetNotOnlyAscii) {
    std::unique_ptr<EnvironmentHarness> harness = makeEnvironmentHarness();
    EXPECT_EQ(harness->environment().lowerCase(u"CLDC-1.1 \u00c4\u00d6\u00dc \u03a9\u039c\u0395\u0393\u0391 \u0414\u0416\u0401 \u00d7"),
              u"cldc-1.1 \u00e4\u00f6\u00fc \u03c9\u03bc\u03b5\u03b3\u03b1 \u0434\u0436\u0451 \u00d7");
    EXPECT_EQ(harness->environment().lowerCase(u""), u"");
}

TEST(EnvironmentContract, AnsiTextBecomesUtf16ByteForByteZerosIncluded) {
    auto harness = makeEnvironmentHarness();
    const std::uint8_t page[] = {'h', 't', 't', 'p', ':', '/', '/', 'x', '/', 0xE9, 0, 'a'};
    EXPECT_EQ(harness->environment().fromAnsiCodePage(page), WideString(u"http://x/\u00e9") + u'\0' + u"a");
    EXPECT_EQ(harness->environment().fromAnsiCodePage({}), u"");
}

// As on a Western Windows (code page 1252): a letter outside it is not held,
// not even by a look-alike ("\u0100" is not "A").
TEST(EnvironmentContract, TheAnsiCodePageHoldsOnlyItsOwnLetters) {
    auto harness = makeEnvironmentHarness();
    Environment& environment = harness->environment();
    EXPECT_TRUE(environment.ansiCodePageHolds(u""));
    EXPECT_TRUE(environment.ansiCodePageHolds(u"C:\\Jeux\\caf\u00e9 d\u00e9j\u00e0\\game.jar"));
    for (const WideString& text : {WideString(u"C:\\\u0418\u0433\u0440\u044b\\game.jar"), WideString(u"C:\\\u6e38\u620f"),
                                   WideString(u"\U0001F3AE.jar"), WideString(u"\u0100")})
        EXPECT_FALSE(environment.ansiCodePageHolds(text)) << text.size();
}
