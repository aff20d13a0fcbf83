#include <gtest/gtest.h>

#include <algorithm>

#include "core/scan/scanner_utilities.h"
#include "fake_files.h"
#include "fake_registry.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
const WideString kJre = u"SOFTWARE\\JavaSoft\\Java Runtime Environment";

struct Utilities {
    FakeRegistry registry;
    FakeFiles files;
    ScannerUtilities tools{registry, files};

    void rawValue(const WideString& key, const WideString& name, std::vector<std::uint8_t> bytes) {
        registry.createKey(kMachine, key);
        registry.setRaw(kMachine, key, name, {registry_type::kString, std::move(bytes)});
    }
};

NameList sorted(NameList names) {
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(ScannerUtilities, RegistryStringsAreReadUpToTheirFirstZeroWhateverTheirSize) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        WideString expected;
    };
    const Case cases[] = {
        {"one character and its zero", {'7', 0, 0, 0}, u"7"},
        {"only the zero", {0, 0}, u""},
        {"nothing at all", {}, u""},
        {"one character without zero", {'x', 0}, u""},
        {"no zero at all", {'a', 0, 'b', 0, 'c', 0}, u"abc"},
        {"an odd byte at the end", {'a', 0, 'b', 0, 'c'}, u"ab"},
        {"text after the zero", {'a', 0, 'b', 0, 0, 0, 'c', 0}, u"ab"},
        {"beyond ASCII", {0xE4, 0x00, 0xAC, 0x20, 0, 0}, u"\u00e4\u20ac"},
    };
    for (const Case& c : cases) {
        Utilities world;
        world.rawValue(kJre, u"JavaHome", c.bytes);
        EXPECT_EQ(world.tools.readRegistryString(kMachine, kJre, u"JavaHome"), c.expected) << c.what;
    }
    Utilities world;
    world.rawValue(kJre, u"JavaHome", {'a', 0, 'b', 0, 0, 0});
    EXPECT_EQ(world.tools.readRegistryString(kMachine, kJre, u"Missing"), u"");
    EXPECT_EQ(world.tools.readRegistryString(kMachine, kJre + u"\\Missing", u"JavaHome"), u"");
    EXPECT_EQ(world.tools.readRegistryString(RegistryRoot::CurrentUser, kJre, u"JavaHome"), u"");
}

TEST(ScannerUtilities, ReadsLookInTheViewTheyName) {
    Utilities world;
    world.rawValue(u"SOFTWARE\\WOW6432Node\\JavaSoft\\Java Runtime Environment\\1.6.0_45", u"JavaHome",
                   {'C', 0, ':', 0, 0, 0});
    NameList names{u"stale"};
    world.tools.enumRegistrySubkeys(kMachine, kJre, names, RegistryView::Bits32);
    EXPECT_EQ(names, NameList{u"1.6.0_45"});
    EXPECT_EQ(world.tools.readRegistryString(kMachine, kJre + u"\\1.6.0_45", u"JavaHome", RegistryView::Bits32),
              u"C:");
    world.tools.enumRegistrySubkeys(kMachine, kJre, names, RegistryView::Bits64);
    EXPECT_TRUE(names.empty());
    world.tools.enumRegistrySubkeys(kMachine, kJre, names);
    EXPECT_TRUE(names.empty()) << "the program's own view is the 64-bit one";
}

TEST(ScannerUtilities, SubkeysComeInTheRegistrysOrderAndAMissingKeyEmptiesTheList) {
    Utilities world;
    for (const char16_t* version : {u"1.6.0_45", u"1.5.0", u"1.6"}) world.registry.createKey(kMachine, kJre + u"\\" + version);
    NameList names{u"left over"};
    world.tools.enumRegistrySubkeys(kMachine, kJre, names);
    EXPECT_EQ(names, (NameList{u"1.5.0", u"1.6", u"1.6.0_45"}));
    world.tools.enumRegistrySubkeys(kMachine, kJre + u"\\Gone", names);
    EXPECT_TRUE(names.empty());
}

TEST(ScannerUtilities, JoinPathKeepsExactlyOneBackslashBetweenItsParts) {
    struct Case {
        WideString folder, relative, expected;
    };
    const Case cases[] = {
        {u"C:\\SDK\\\\", u"\\bin\\emulator.exe", u"C:\\SDK\\bin\\emulator.exe"},
        {u"C:\\WTK", u"wtklib\\devices", u"C:\\WTK\\wtklib\\devices"},
        {u"", u"bin", u"\\bin"},
        {u"C:\\SDK", u"", u"C:\\SDK\\"},
        {u"\\\\", u"\\\\", u"\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(joinPath(c.folder, c.relative), c.expected);
}

TEST(ScannerUtilities, FoldersListOnlyTheirOwnSubfoldersOrOnlyTheirMatchingFiles) {
    Utilities world;
    world.files.addFile(u"C:\\SDK\\devices\\readme.txt", "");
    world.files.addFile(u"C:\\SDK\\devices\\Phone.xml", "<device/>");
    world.files.addFile(u"C:\\SDK\\devices\\Tablet\\nested\\deep.xml", "");
    world.files.addFolder(u"C:\\SDK\\devices\\Old.xml");
    NameList names{u"stale"};
    world.tools.enumSubfolders(u"C:\\SDK\\devices\\", names);
    EXPECT_EQ(sorted(names), (NameList{u"Old.xml", u"Tablet"}));
    world.tools.enumFiles(u"C:\\SDK\\devices", u"*.xml", names);
    EXPECT_EQ(names, NameList{u"Phone.xml"});
    world.tools.enumFiles(u"C:\\SDK\\devices", u"*.*", names);
    EXPECT_EQ(sorted(names), (NameList{u"Phone.xml", u"readme.txt"}));
    world.tools.enumSubfolders(u"C:\\SDK\\gone", names);
    EXPECT_TRUE(names.empty());
    world.tools.enumFiles(u"C:\\SDK\\gone", u"*.xml", names);
    EXPECT_TRUE(names.empty());
}

TEST(ScannerUtilities, PathsExistAsFilesOrFoldersAndNormalise) {
    Utilities world;
    world.files.addFile(u"C:\\S60\\Epoc32\\tools\\epoc.ini", "");
    EXPECT_TRUE(world.tools.fileExists(u"C:\\S60\\Epoc32\\tools\\EPOC.INI"));
    EXPECT_TRUE(world.tools.fileExists(u"C:\\S60\\Epoc32"));
    EXPECT_FALSE(world.tools.fileExists(u"C:\\S60\\Epoc32\\gone"));
    EXPECT_EQ(world.tools.fullPath(joinPath(u"C:\\S60\\Epoc32", u"..")), u"C:\\S60");
}
