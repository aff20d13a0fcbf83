#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "files_contract.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

// Names with a slash after each folder's, sorted: the system promises no order.
std::vector<WideString> found(Files& files, const WideString& pattern) {
    std::vector<WideString> names;
    for (const DirectoryEntry& entry : files.findEntries(pattern))
        names.push_back(entry.directory ? entry.name + u"/" : entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(FolderSearchContract, WildcardsFollowTheSystemsRules) {
    std::unique_ptr<FilesHarness> harness = makeFilesHarness();
    const WideString folder = harness->folder() + u"\\devices";
    harness->makeFolder(folder);
    harness->makeFolder(folder + u"\\Tablet");
    harness->makeFolder(folder + u"\\Tablet\\nested");
    harness->makeFolder(folder + u"\\Old.xml");
    harness->makeFile(folder + u"\\Phone.XML", "<device/>");
    harness->makeFile(folder + u"\\readme", "");
    harness->makeFile(folder + u"\\a1.txt", "");
    harness->makeFile(folder + u"\\a22.txt", "");
    harness->makeFile(folder + u"\\Tablet\\inner.xml", "");
    Files& files = harness->files();

    struct Case {
        const char16_t* pattern;
        std::vector<WideString> expected;
    };
    const Case cases[] = {
        {u"\\*.*", {u"../", u"./", u"Old.xml/", u"Phone.XML", u"Tablet/", u"a1.txt", u"a22.txt", u"readme"}},
        {u"\\*", {u"../", u"./", u"Old.xml/", u"Phone.XML", u"Tablet/", u"a1.txt", u"a22.txt", u"readme"}},
        {u"\\*.xml", {u"Old.xml/", u"Phone.XML"}},
        {u"\\a?.txt", {u"a1.txt"}},
        {u"\\READ*", {u"readme"}},
        {u"\\*.jad", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern, c.pattern + std::char_traits<char16_t>::length(c.pattern)).c_str());
        EXPECT_EQ(found(files, folder + c.pattern), c.expected);
    }
    EXPECT_TRUE(files.findEntries(folder + u"\\gone\\*.*").empty());
    EXPECT_TRUE(files.findEntries(folder + u"\\Phone.XML\\*.*").empty()) << "a file is no folder to search";
}

TEST(FolderSearchContract, FullPathsResolveDotsAndTheCurrentFolder) {
    std::unique_ptr<FilesHarness> harness = makeFilesHarness();
    Files& files = harness->files();
    struct Case {
        const char16_t* path;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"C:\\S60\\Epoc32\\..", u"C:\\S60"},
        {u"C:\\S60\\Epoc32\\..\\", u"C:\\S60\\"},
        {u"C:\\WTK\\.\\bin\\..\\lib\\devices", u"C:\\WTK\\lib\\devices"},
        {u"C:\\..\\..\\SDK", u"C:\\SDK"},
        {u"C:/SDK/bin", u"C:\\SDK\\bin"},
    };
    for (const Case& c : cases) EXPECT_EQ(files.fullPath(c.path), c.expected);

    const WideString current = files.fullPath(u".");
    ASSERT_GE(current.size(), 3u);
    EXPECT_EQ(current[1], u':');
    EXPECT_EQ(files.fullPath(u"sdk\\bin"), (current.back() == u'\\' ? current : current + u"\\") + u"sdk\\bin");
    EXPECT_EQ(files.fullPath(u"\\SDK"), current.substr(0, 2) + u"\\SDK");
    EXPECT_EQ(files.fullPath(u""), u"");
}
