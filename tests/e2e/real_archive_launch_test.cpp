// Quillmont.exe opening archives that nobody here wrote: Debian's jars, suites
// written by jar, zip and Python, and the real MIDlet suites from elsewhere.
#include <gtest/gtest.h>

#include <cstdlib>

#include "launch_world.h"
#include "test_files.h"
#include "testdata.h"
#include "win32/platform/wide_text.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

std::wstring quotedW(const std::wstring& text) { return L"\"" + text + L"\""; }

// The files of a Linux folder (Wine's Z: drive) whose names end in ".jar".
std::vector<std::wstring> jarsIn(const std::wstring& folder) {
    std::vector<std::wstring> jars;
    for (const std::wstring& name : folderEntries(folder))
        if (name.size() > 4 && name.compare(name.size() - 4, 4, L".jar") == 0) jars.push_back(folder + L"\\" + name);
    return jars;
}

// Every archive each native suite reads is proven there; end to end a few spread
// over the list stand for them, and the soak command (QUILLMONT_SOAK) opens all.
std::vector<std::wstring> fewUnlessSoaking(const std::vector<std::wstring>& all, std::size_t few = 3) {
    if (std::getenv("QUILLMONT_SOAK") != nullptr || all.size() <= few) return all;
    std::vector<std::wstring> chosen;
    for (std::size_t i = 0; i < few; ++i) chosen.push_back(all[i * (all.size() - 1) / (few - 1)]);
    return chosen;
}

std::wstring linuxFolder(const char* path) {
    std::wstring folder = L"Z:";
    for (const char* c = path; *c != '\0'; ++c) folder.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    return folder;
}

struct RealArchives : ::testing::Test {
    CommandLineRecorder recorder;
    StarterSettings settings;
    TemporaryFolderOverride temporary;

    void SetUp() override {
        settings.add(StarterKind::J2SE, 1, u"java", u"-jar %1");
        settings.setActions(StarterKind::J2SE, 1, 0);
        settings.add(StarterKind::J2ME, 1, u"emulator", u"%1 %2");
        settings.setActions(StarterKind::J2ME, 1, 0);
    }
    // Opens `file` as a double click would and returns what the starter was given.
    std::wstring openAndRecord(const std::wstring& file) {
        recorder.clear();
        auto program = startQuillmont(L" " + quotedW(file));
        std::optional<WideString> line = recorder.wait();
        EXPECT_EQ(program->waitForExit(), 0u);
        return line ? win32::toWide(*line) : L"<nothing started>";
    }
    std::wstring starter() const { return quotedW(win32::toWide(StarterSettings::starterProgram())); }
    std::wstring temporaryJad() const { return temporary.folder() + L"\\qlm_temp.jad"; }
    std::wstring temporaryJar() const { return temporary.folder() + L"\\qlm_temp.jar"; }
};

}  // namespace

TEST_F(RealArchives, EveryDebianJarStartsTheJ2seStarterWithItsOwnPath) {
    const std::vector<std::wstring> jars = jarsIn(L"Z:\\usr\\share\\java");
    ASSERT_GE(jars.size(), 20u) << "the test setup installs Debian's Java libraries";
    for (const std::wstring& jar : fewUnlessSoaking(jars)) EXPECT_EQ(openAndRecord(jar), starter() + L" -jar " + quotedW(jar));
}

TEST_F(RealArchives, ToolBuiltSuitesWithoutDescriptorStartThroughATemporaryOne) {
    std::vector<std::wstring> suites;
    for (const std::wstring& jar : jarsIn(linuxFolder(QUILLMONT_TEST_ARCHIVES)))
        if (jar.find(L"-suite") != std::wstring::npos) suites.push_back(jar);
    ASSERT_FALSE(suites.empty());
    for (const std::wstring& jar : fewUnlessSoaking(suites)) {
        EXPECT_EQ(openAndRecord(jar), starter() + L" " + quotedW(temporaryJad()) + L" " + quotedW(temporaryJar()));
        const std::optional<Bytes> original = readFileBytes(jar);
        ASSERT_TRUE(original);
        EXPECT_EQ(readFileBytes(temporaryJar()), original) << jar;
        EXPECT_EQ(textOf(readFileBytes(temporaryJad()).value_or(Bytes{})),
                  "MIDlet-Name: Test Suite\nMIDlet-Vendor: Quillmont Tests\nMIDlet-Version: 1.0.0\n"
                  "MIDlet-1: Test, /icon.png, app.Main\nMicroEdition-Profile: MIDP-2.0\n"
                  "MicroEdition-Configuration: CLDC-1.1\nCreated-By: Quillmont tests\nMIDlet-Jar-Size: " +
                      std::to_string(original->size()) + "\nMIDlet-Jar-URL: qlm_temp.jar\n");
    }
}

// miniTruco's manifest ends its lines with CR LF; FPlay's entries carry the
// UTF-8 name flag. Without their descriptors both get a temporary one.
TEST_F(RealArchives, TheRealSuitesWithoutTheirDescriptorsStartThroughATemporaryOne) {
    QUILLMONT_NEEDS_TESTDATA();
    const std::wstring folder = makeTemporaryFolder(L"real suites");
    for (const char* name : {"miniTruco", "miniTrucoLight", "FPlay"}) {
        const std::wstring jar = folder + L"\\" + win32::toWide(ascii(name)) + L".jar";
        ASSERT_TRUE(writeFileBytes(jar, readTestdata(std::string("j2me/") + name + ".jar")));
        EXPECT_EQ(openAndRecord(jar), starter() + L" " + quotedW(temporaryJad()) + L" " + quotedW(temporaryJar()));
        const std::string descriptor = textOf(readFileBytes(temporaryJad()).value_or(Bytes{}));
        EXPECT_NE(descriptor.find("\nMIDlet-Jar-Size: " + std::to_string(readTestdata(std::string("j2me/") + name + ".jar").size()) +
                                  "\nMIDlet-Jar-URL: qlm_temp.jar\n"),
                  std::string::npos)
            << descriptor;
        EXPECT_EQ(descriptor.find("Manifest-Version"), std::string::npos);
        EXPECT_EQ(descriptor.find('\r'), std::string::npos);
    }
}
