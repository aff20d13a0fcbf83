// Archives that nobody here wrote: the jars of Debian's Java packages, and
// archives that the JDK's `jar`, Info-ZIP's `zip` and Python's zipfile write
// (built by tests/archives/make_archives.sh when the tests are built).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/launch/jar_flow.h"
#include "core/launch/zip_archive_reader.h"
#include "flow_world.h"
#include "testdata.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kTemp = u"C:\\Users\\Tester\\AppData\\Local\\Temp\\";
constexpr char kToolArchives[] = QUILLMONT_TEST_ARCHIVES;

struct Archives : ::testing::Test {
    FlowWorld world;

    void SetUp() override {
        world.addStarter(StarterKind::J2SE, 1, u"java", u"-jar %1 %*");
        world.setActions(StarterKind::J2SE, 1, 0);
        world.addStarter(StarterKind::J2ME, 1, u"emulator", u"%1 %2");
        world.setActions(StarterKind::J2ME, 1, 0);
        world.files.addFolder(kTemp);
    }
    // Opens the archive as a double click would, with the real bytes of `file`.
    bool open(const WideString& path, const std::filesystem::path& file) {
        world.files.addFile(path, readFile(file));
        world.processes.started.clear();
        return runJarFlow(world.context, {path, true, u""});
    }
    WideString started() const { return world.processes.started.empty() ? u"" : world.processes.started.back(); }
    static Bytes readFile(const std::filesystem::path& file) {
        Bytes bytes(static_cast<std::size_t>(std::filesystem::file_size(file)));
        std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return bytes;
    }
};

std::vector<std::filesystem::path> jarsIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> jars;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error))
        if (item.path().extension() == ".jar" && std::filesystem::is_regular_file(item.path(), error)) jars.push_back(item.path());
    std::sort(jars.begin(), jars.end());
    return jars;
}

WideString windowsPathFor(const std::filesystem::path& file) {
    return u"C:\\Program Files\\Java Libraries\\" + ascii(file.filename().string().c_str());
}

}  // namespace

// Every jar of the Debian packages on this machine (the test setup installs a
// few): each is a zip archive with a manifest and no MIDlet attribute, so it is a
// desktop archive and goes to the J2SE starter with its own path.
TEST_F(Archives, EveryDebianJarIsADesktopArchiveStartedWithItsOwnPath) {
    const std::vector<std::filesystem::path> jars = jarsIn("/usr/share/java");
    ASSERT_GE(jars.size(), 20u) << "the test setup installs Debian's Java libraries";
    for (const std::filesystem::path& jar : jars) {
        const WideString path = windowsPathFor(jar);
        world.ui.messages.clear();
        ASSERT_TRUE(open(path, jar)) << jar << " shows " << world.ui.messages.size() << " message(s)";
        EXPECT_EQ(started(), u"\"C:\\starters\\java.exe\" -jar \"" + path + u"\"") << jar;

        ZipArchiveReader reader(world.files);
        Bytes manifest;
        ASSERT_TRUE(reader.open(path) && reader.readEntry(u"META-INF/MANIFEST.MF", manifest)) << jar;
        EXPECT_NE(textOf(manifest).find("Manifest-Version: "), std::string::npos) << jar;
    }
    EXPECT_TRUE(world.ui.messages.empty());
    EXPECT_TRUE(world.dialogs.shown.empty());
}

TEST_F(Archives, DesktopArchivesOfEveryToolGoToTheJ2seStarter) {
    const std::vector<std::filesystem::path> jars = jarsIn(kToolArchives);
    ASSERT_EQ(jars.size(), 10u);
    for (const std::filesystem::path& jar : jars) {
        if (jar.filename().string().find("-desktop") == std::string::npos) continue;
        const WideString path = u"C:\\My Apps\\" + ascii(jar.filename().string().c_str());
        ASSERT_TRUE(open(path, jar)) << jar;
        EXPECT_EQ(started(), u"\"C:\\starters\\java.exe\" -jar \"" + path + u"\"") << jar;
    }
}

// The same manifest text through every tool gives the same temporary
// descriptor: the manifest's lines but Manifest-Version, each ended by a line
// feed, then the copy's size and name.
TEST_F(Archives, SuitesOfEveryToolGetTheSameTemporaryDescriptor) {
    for (const std::filesystem::path& jar : jarsIn(kToolArchives)) {
        if (jar.filename().string().find("-suite") == std::string::npos) continue;
        ASSERT_TRUE(open(u"C:\\My Apps\\suite.jar", jar)) << jar;
        EXPECT_EQ(started(), u"\"C:\\starters\\emulator.exe\" \"" + kTemp + u"qlm_temp.jad\" \"" + kTemp + u"qlm_temp.jar\"");
        EXPECT_EQ(textOf(*world.files.contents(kTemp + u"qlm_temp.jad")),
                  "MIDlet-Name: Test Suite\nMIDlet-Vendor: Quillmont Tests\nMIDlet-Version: 1.0.0\n"
                  "MIDlet-1: Test, /icon.png, app.Main\nMicroEdition-Profile: MIDP-2.0\n"
                  "MicroEdition-Configuration: CLDC-1.1\nCreated-By: Quillmont tests\nMIDlet-Jar-Size: " +
                      std::to_string(std::filesystem::file_size(jar)) + "\nMIDlet-Jar-URL: qlm_temp.jar\n")
            << jar;
        EXPECT_EQ(world.files.contents(kTemp + u"qlm_temp.jar"), readFile(jar)) << jar;
    }
    EXPECT_TRUE(world.ui.messages.empty());
    EXPECT_TRUE(world.dialogs.shown.empty());
}

TEST_F(Archives, ASuiteOfEveryToolWithItsDescriptorBesideItStartsThroughThatDescriptor) {
    for (const std::filesystem::path& jar : jarsIn(kToolArchives)) {
        if (jar.filename().string().find("-suite") == std::string::npos) continue;
        const WideString folder = u"C:\\Games\\" + ascii(jar.stem().string().c_str()) + u"\\";
        world.files.addFile(folder + u"game.jad", "MIDlet-Jar-URL: game.jar\r\nMIDlet-Jar-Size: " +
                                                      std::to_string(std::filesystem::file_size(jar)) + "\r\n");
        ASSERT_TRUE(open(folder + u"game.jar", jar)) << jar;
        EXPECT_EQ(started(), u"\"C:\\starters\\emulator.exe\" \"" + folder + u"game.jad\" \"" + folder + u"game.jar\"");
    }
    EXPECT_FALSE(world.files.exists(kTemp + u"qlm_temp.jad"));
}
