#include <gtest/gtest.h>

#include <algorithm>

#include "registry_contract.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr RegistryAccess kFull = RegistryAccess::Full;

class RegistryContract : public ::testing::Test {
protected:
    std::unique_ptr<RegistryHarness> harness = makeRegistryHarness();
    Registry& registry = harness->registry();
    WideString scratch = harness->scratchKey();

    std::vector<WideString> subkeys(const WideString& path) {
        std::vector<WideString> names;
        for (std::uint32_t i = 0;; ++i) {
            EnumResult found = registry.enumSubkey(kUser, path, i, kFull);
            if (found.status != EnumStatus::Found) break;
            names.push_back(found.name);
        }
        return names;
    }
    std::vector<WideString> values(const WideString& path) {
        std::vector<WideString> names;
        for (std::uint32_t i = 0;; ++i) {
            EnumResult found = registry.enumValue(kUser, path, i, kFull);
            if (found.status != EnumStatus::Found) break;
            names.push_back(found.name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::vector<std::uint8_t> utf16Bytes(const WideString& text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

}  // namespace

TEST_F(RegistryContract, CreatingAKeyCreatesItsMissingParents) {
    const WideString deep = scratch + u"\\a\\b\\c";
    EXPECT_FALSE(registry.keyExists(kUser, scratch + u"\\a", kFull));
    ASSERT_TRUE(registry.createKey(kUser, deep));
    EXPECT_TRUE(registry.keyExists(kUser, scratch + u"\\a", kFull));
    EXPECT_TRUE(registry.keyExists(kUser, deep, RegistryAccess::Read));
    EXPECT_TRUE(registry.createKey(kUser, deep));  // already there
}

TEST_F(RegistryContract, NamesIgnoreCaseAndKeepTheirOwn) {
    ASSERT_TRUE(registry.createKey(kUser, scratch + u"\\MixedCase"));
    EXPECT_TRUE(registry.keyExists(kUser, scratch + u"\\mixedcase", kFull));
    EXPECT_TRUE(registry.createKey(kUser, scratch + u"\\MIXEDCASE"));
    EXPECT_EQ(subkeys(scratch), std::vector<WideString>{u"MixedCase"});
    ASSERT_TRUE(registry.setString(kUser, scratch, u"Name", u"first"));
    ASSERT_TRUE(registry.setString(kUser, scratch, u"NAME", u"second"));
    EXPECT_EQ(values(scratch), std::vector<WideString>{u"Name"});
    EXPECT_EQ(registry.queryValue(kUser, scratch, u"name", kFull)->bytes, utf16Bytes(u"second"));
}

TEST_F(RegistryContract, StringsCountTheirTerminatingZeroAndDwordsAreFourBytes) {
    ASSERT_TRUE(registry.setString(kUser, scratch, u"Text", u"J\u00e4va"));
    std::optional<RegistryValue> text = registry.queryValue(kUser, scratch, u"Text", kFull);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->type, registry_type::kString);
    EXPECT_EQ(text->bytes, utf16Bytes(u"J\u00e4va"));

    ASSERT_TRUE(registry.setString(kUser, scratch, u"Empty", u""));
    EXPECT_EQ(registry.queryValue(kUser, scratch, u"Empty", kFull)->bytes, (std::vector<std::uint8_t>{0, 0}));

    ASSERT_TRUE(registry.setDword(kUser, scratch, u"Text", 0xFFFFFFFFu));  // replaces the string
    std::optional<RegistryValue> number = registry.queryValue(kUser, scratch, u"Text", kFull);
    ASSERT_TRUE(number.has_value());
    EXPECT_EQ(number->type, registry_type::kDword);
    EXPECT_EQ(number->bytes, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(RegistryContract, DefaultValueIsTheEmptyName) {
    ASSERT_TRUE(registry.setString(kUser, scratch, u"", u"Quillmont.jad"));
    EXPECT_EQ(registry.queryValue(kUser, scratch, u"", kFull)->bytes, utf16Bytes(u"Quillmont.jad"));
}

TEST_F(RegistryContract, LongStringsRoundTrip) {
    const WideString text(40000, u'\u0416');
    ASSERT_TRUE(registry.setString(kUser, scratch, u"Long", text));
    EXPECT_EQ(registry.queryValue(kUser, scratch, u"Long", kFull)->bytes, utf16Bytes(text));
}

TEST_F(RegistryContract, MissingKeysAndValuesAreNothing) {
    const WideString missing = scratch + u"\\missing";
    EXPECT_FALSE(registry.keyExists(kUser, missing, kFull));
    EXPECT_FALSE(registry.queryValue(kUser, missing, u"Name", kFull).has_value());
    EXPECT_FALSE(registry.queryValue(kUser, scratch, u"Name", kFull).has_value());
    EXPECT_FALSE(registry.setString(kUser, missing, u"Name", u"x"));
    EXPECT_FALSE(registry.setDword(kUser, missing, u"Name", 1));
    EXPECT_FALSE(registry.deleteValue(kUser, scratch, u"Name"));
    EXPECT_EQ(registry.enumSubkey(kUser, missing, 0, kFull).status, EnumStatus::Failed);
    EXPECT_EQ(registry.enumValue(kUser, missing, 0, kFull).status, EnumStatus::Failed);
    EXPECT_FALSE(registry.keyExists(kUser, missing, kFull));  // nothing above created it
}

TEST_F(RegistryContract, SubkeysEnumerateInNameOrderIgnoringCase) {
    for (const char16_t* name : {u"b", u"A", u"10", u"9", u"1", u"07", u" 5"})
        ASSERT_TRUE(registry.createKey(kUser, scratch + u"\\" + name));
    EXPECT_EQ(subkeys(scratch), (std::vector<WideString>{u" 5", u"07", u"1", u"10", u"9", u"A", u"b"}));
    EXPECT_EQ(registry.enumSubkey(kUser, scratch, 7, kFull).status, EnumStatus::NoMoreItems);
}

// Windows refuses longer key names (Wine does not), so 255 is the longest that
// both create; it still fits the enumeration's 256-character buffer.
TEST_F(RegistryContract, TheLongestKeyNameEnumerates) {
    const WideString longest(255, u'k');
    ASSERT_TRUE(registry.createKey(kUser, scratch + u"\\" + longest));
    EXPECT_EQ(subkeys(scratch), std::vector<WideString>{longest});
}

TEST_F(RegistryContract, ValuesEnumerateAndDelete) {
    ASSERT_TRUE(registry.setDword(kUser, scratch, u"DefaultAction", 0));
    ASSERT_TRUE(registry.setDword(kUser, scratch, u"LastAction", 3));
    ASSERT_TRUE(registry.setString(kUser, scratch, u"Stray", u"x"));
    EXPECT_EQ(values(scratch), (std::vector<WideString>{u"DefaultAction", u"LastAction", u"Stray"}));
    EXPECT_TRUE(registry.deleteValue(kUser, scratch, u"STRAY"));
    EXPECT_EQ(values(scratch), (std::vector<WideString>{u"DefaultAction", u"LastAction"}));
}

TEST_F(RegistryContract, DeletingATreeRemovesEverythingBelowIt) {
    const WideString tree = scratch + u"\\J2SE";
    for (const char16_t* path : {u"\\1", u"\\2\\deeper\\still", u"\\3"})
        ASSERT_TRUE(registry.createKey(kUser, tree + path));
    ASSERT_TRUE(registry.setString(kUser, tree + u"\\2\\deeper", u"Name", u"x"));
    ASSERT_TRUE(registry.createKey(kUser, scratch + u"\\J2ME"));
    EXPECT_TRUE(registry.deleteTree(kUser, tree));
    EXPECT_FALSE(registry.keyExists(kUser, tree, kFull));
    EXPECT_EQ(subkeys(scratch), std::vector<WideString>{u"J2ME"});
    EXPECT_TRUE(registry.deleteTree(kUser, tree));  // a key that is not there is gone already
}

TEST_F(RegistryContract, TheMachineKeysReadWithReadAccess) {
    EXPECT_TRUE(registry.keyExists(RegistryRoot::LocalMachine, u"Software", RegistryAccess::Read));
    EXPECT_EQ(registry.enumSubkey(RegistryRoot::LocalMachine, u"Software", 0, RegistryAccess::Read).status,
              EnumStatus::Found);
}

TEST(RegistryViewContract, AKeyOfThe32BitViewIsFoundThereAndOnlyThere) {
    std::unique_ptr<RegistryHarness> harness = makeRegistryHarness();
    Registry& registry = harness->registry();
    const RegistryRoot machine = RegistryRoot::LocalMachine;
    const WideString jre = harness->machineScratchKey() + u"\\JavaSoft\\Java Runtime Environment";
    harness->writeInView(machine, jre + u"\\1.6.0_45", RegistryView::Bits32, u"JavaHome", u"C:\\Java32");
    harness->writeInView(machine, jre + u"\\17.0.2", RegistryView::Bits64, u"JavaHome", u"C:\\Java64");

    const RegistryAccess bits32 = RegistryAccess::readIn(RegistryView::Bits32);
    const RegistryAccess bits64 = RegistryAccess::readIn(RegistryView::Bits64);
    EXPECT_EQ(registry.enumSubkey(machine, jre, 0, bits32).name, u"1.6.0_45");
    EXPECT_EQ(registry.enumSubkey(machine, jre, 1, bits32).status, EnumStatus::NoMoreItems);
    EXPECT_EQ(registry.enumSubkey(machine, jre, 0, bits64).name, u"17.0.2");
    EXPECT_EQ(registry.enumSubkey(machine, jre, 1, bits64).status, EnumStatus::NoMoreItems);
    EXPECT_TRUE(registry.queryValue(machine, jre + u"\\1.6.0_45", u"JavaHome", bits32).has_value());
    EXPECT_FALSE(registry.queryValue(machine, jre + u"\\1.6.0_45", u"JavaHome", bits64).has_value());
    EXPECT_FALSE(registry.keyExists(machine, jre + u"\\1.6.0_45", RegistryAccess::Read))
        << "a 64-bit program's own view is the 64-bit one";
    EXPECT_FALSE(registry.keyExists(machine, jre + u"\\17.0.2", bits32));
    EXPECT_TRUE(registry.keyExists(machine, jre + u"\\17.0.2", RegistryAccess::Read));

    // The current user's Software is one key for both views.
    const WideString user = harness->scratchKey() + u"\\Vendor";
    harness->writeInView(RegistryRoot::CurrentUser, user, RegistryView::Bits32, u"Home", u"C:\\Vendor");
    EXPECT_TRUE(registry.queryValue(RegistryRoot::CurrentUser, user, u"Home", bits64).has_value());
    EXPECT_TRUE(registry.queryValue(RegistryRoot::CurrentUser, user, u"Home", bits32).has_value());
}
