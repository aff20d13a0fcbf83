#include <gtest/gtest.h>

#include "core/launch/jar_flow.h"
#include "flow_world.h"
#include "testdata.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kFolder = u"C:\\My Apps\\";
const WideString kJar = kFolder + u"app.jar";
const WideString kTemp = u"C:\\Users\\Tester\\AppData\\Local\\Temp\\";

Bytes archiveWithManifest(const std::string& manifest) {
    return ZipBuilder().add("META-INF/", "", 0).add("META-INF/MANIFEST.MF", manifest).add("a/A.class", "cafe").build();
}

struct JarFlow : ::testing::Test {
    FlowWorld world;

    void SetUp() override {
        world.addStarter(StarterKind::J2SE, 1, u"java", u"-jar %1 %*");
        world.setActions(StarterKind::J2SE, 1, 0);
        world.addStarter(StarterKind::J2ME, 1, u"emulator", u"-Xdescriptor:%1 %2");
        world.setActions(StarterKind::J2ME, 1, 0);
        world.files.addFolder(kTemp);
    }
    bool open(const WideString& path = kJar, const WideString& external = u"") {
        return runJarFlow(world.context, {path, true, external});
    }
    WideString started() const { return world.processes.started.empty() ? u"" : world.processes.started.back(); }
    std::string temporaryDescriptor() const {
        const std::optional<Bytes> bytes = world.files.contents(kTemp + u"qlm_temp.jad");
        return bytes ? textOf(*bytes) : "<none>";
    }
};

}  // namespace

TEST_F(JarFlow, ADesktopArchiveGoesToTheJ2seStarterWithItsOwnPath) {
    world.files.addFile(kJar, archiveWithManifest("Manifest-Version: 1.0\r\nMain-Class: a.A\r\n\r\n"));
    ASSERT_TRUE(open(kJar, u"-v"));
    EXPECT_EQ(started(), u"\"C:\\starters\\java.exe\" -jar \"C:\\My Apps\\app.jar\" -v");
    EXPECT_EQ(world.files.filePaths().size(), 1u);
}

TEST_F(JarFlow, TheArchiveStaysOpenUntilTheFlowReturns) {
    world.files.addFile(kJar, archiveWithManifest("Main-Class: a.A\n"));
    int openWhileStarting = 0;
    world.processes.onCreate = [&] { openWhileStarting = world.files.openReaders(); };
    ASSERT_TRUE(open());
    EXPECT_EQ(openWhileStarting, 1);
    EXPECT_EQ(world.files.openReaders(), 0);
}

TEST_F(JarFlow, WhatIsNoArchiveOrHasNoManifestIsReportedAndNeverStarted) {
    world.files.addFile(u"C:\\notes.txt", "just some text that is long enough to be searched");
    world.files.addFile(u"C:\\bare.jar", ZipBuilder().add("a/A.class", "cafe").build());
    ZipBuilder::Entry damaged;
    damaged.name = "META-INF/MANIFEST.MF";
    damaged.data = bytesOf("Main-Class: a.A\n");
    damaged.crc = 0xDEADBEEF;  // the manifest's bytes no longer match their CRC
    world.files.addFile(u"C:\\broken.jar", ZipBuilder().add(damaged).build());
    const Bytes whole = ZipBuilder().add("META-INF/MANIFEST.MF", std::string(3000, 'm')).build();
    world.files.addFile(u"C:\\half.jar", Bytes(whole.begin(), whole.begin() + whole.size() / 2));
    world.files.addFile(u"C:\\empty.jar", "");
    world.files.addFolder(u"C:\\folder.jar");
    const std::pair<WideString, WideString> cases[] = {
        {u"C:\\gone.jar", u"File \"C:\\gone.jar\" read error.\nThe file does not exist."},
        {u"C:\\folder.jar", u"File \"C:\\folder.jar\" read error.\nIt is a folder."},
        {u"C:\\notes.txt", u"File \"C:\\notes.txt\" read error.\nIt is not a JAR file."},
        {u"C:\\empty.jar", u"File \"C:\\empty.jar\" read error.\nIt is empty."},
        {u"C:\\half.jar", u"File \"C:\\half.jar\" read error.\nIt ends before its last entry: an incomplete download."},
        {u"C:\\bare.jar", u"No manifest is found."},
        {u"C:\\broken.jar", u"No manifest is found."},
    };
    for (const auto& [path, message] : cases) {
        world.ui.messages.clear();
        EXPECT_FALSE(open(path));
        EXPECT_EQ(world.messageTexts(), std::vector<WideString>{message});
        EXPECT_TRUE(world.allOpeningErrors());
    }
    EXPECT_TRUE(world.processes.attempts.empty());
    EXPECT_TRUE(world.dialogs.shown.empty());
}

TEST_F(JarFlow, AnyMidletAttributeInAnyCaseMarksASuite) {
    for (const char16_t* name : kMidletAttributes) {
        for (bool lower : {false, true}) {
            WideString attribute = name;
            if (lower)
                for (char16_t& c : attribute)
                    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
            std::string text(attribute.begin(), attribute.end());
            world.files.addFile(kJar, archiveWithManifest("Manifest-Version: 1.0\n" + text + ": \n"));
            world.processes.started.clear();
            ASSERT_TRUE(open()) << text;
            EXPECT_EQ(FakeProcessLauncher::programOf(started()), u"C:\\starters\\emulator.exe") << text;
        }
    }
}

TEST_F(JarFlow, ASuiteWithADescriptorBesideItGoesThroughThatDescriptor) {
    world.files.addFile(kJar, archiveWithManifest("MIDlet-1: A, , a.A\r\n"));
    const Bytes jarBytes = *world.files.contents(kJar);
    const std::string jad = "MIDlet-Jar-URL: app.jar\nMIDlet-Jar-Size: " + std::to_string(jarBytes.size()) + "\n";
    world.files.addFile(kFolder + u"app.jad", jad);
    ASSERT_TRUE(open());
    EXPECT_EQ(started(), u"\"C:\\starters\\emulator.exe\" -Xdescriptor:\"C:\\My Apps\\app.jad\" \"C:\\My Apps\\app.jar\"");
    EXPECT_EQ(temporaryDescriptor(), "<none>");
    EXPECT_FALSE(world.files.exists(kTemp + u"qlm_temp.jar"));
}

TEST_F(JarFlow, TheCompanionIsTheArchivesNameWithItsExtensionReplacedOrAdded) {
    const Bytes suite = archiveWithManifest("MIDlet-1: A, , a.A\r\n");
    world.files.addFile(kFolder + u"game.v2.zip", suite);
    world.files.addFolder(kFolder + u"game.v2.jad");  // a folder counts as well
    EXPECT_FALSE(open(kFolder + u"game.v2.zip"));
    EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"File \"C:\\My Apps\\game.v2.jad\" read error.\nIt is a folder."});

    world.ui.messages.clear();
    world.files.addFile(kFolder + u"noext", suite);
    world.files.addFile(kFolder + u"noext.jad", "MIDlet-Jar-Size: 1\n");  // used unchanged, whatever it says
    EXPECT_FALSE(open(kFolder + u"noext"));
    EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"No \"MIDlet-Jar-URL\" attribute is defined in the JAD file."});
}

TEST_F(JarFlow, ASuiteWithoutDescriptorGetsATemporaryOneFromItsManifest) {
    const std::string manifest =
        "Manifest-Version: 1.0\r\nMIDlet-Name: Game\r\nMIDlet-Vendor: Someone\r\nMIDlet-Version: 1.0\r\n"
        "MIDlet-1: Game, /icon.png, a.Game\r\nMicroEdition-Profile: MIDP-2.0\r\nMicroEdition-Configuration: CLDC-1.1\r\n"
        "\r\n";
    world.files.addFile(kJar, archiveWithManifest(manifest));
    const std::size_t size = world.files.contents(kJar)->size();
    ASSERT_TRUE(open(kJar, u"-x"));
    EXPECT_EQ(temporaryDescriptor(),
              "MIDlet-Name: Game\nMIDlet-Vendor: Someone\nMIDlet-Version: 1.0\nMIDlet-1: Game, /icon.png, a.Game\n"
              "MicroEdition-Profile: MIDP-2.0\nMicroEdition-Configuration: CLDC-1.1\nMIDlet-Jar-Size: " +
                  std::to_string(size) + "\nMIDlet-Jar-URL: qlm_temp.jar\n");
    EXPECT_EQ(world.files.contents(kTemp + u"qlm_temp.jar"), world.files.contents(kJar));
    EXPECT_EQ(started(), u"\"C:\\starters\\emulator.exe\" -Xdescriptor:\"" + kTemp + u"qlm_temp.jad\" \"" + kTemp +
                             u"qlm_temp.jar\"");
    EXPECT_TRUE(world.dialogs.shown.empty()) << "the size written agrees";
}

TEST_F(JarFlow, AOneLineDescriptorGetsItsSizeLineEndedByLineFeedAndCarriageReturn) {
    world.files.addFile(kJar, archiveWithManifest("Manifest-Version: 1.0\r\n\r\nMIDlet-1: A, , a.A\r\n\r\n"));
    const std::size_t size = world.files.contents(kJar)->size();
    ASSERT_TRUE(open());
    EXPECT_EQ(temporaryDescriptor(),
              "MIDlet-1: A, , a.A\nMIDlet-Jar-Size: " + std::to_string(size) + "\n\rMIDlet-Jar-URL: qlm_temp.jar\n");
}

TEST_F(JarFlow, SectionsContinuationLinesAndTheJarAttributesKeepTheirPlaces) {
    const std::string manifest =
        "Manifest-Version: 1.0\r\nMIDlet-Jar-URL: http://example.invalid/game.jar\r\nMIDlet-Name: A long\r\n"
        " name\r\nMIDlet-Jar-Size: 99\r\nmanifest-version: 2\r\n\r\nName: a/A.class\r\nSHA-256-Digest: xyz\r\n\r\n";
    world.files.addFile(kJar, archiveWithManifest(manifest));
    const std::size_t size = world.files.contents(kJar)->size();
    ASSERT_TRUE(open());
    EXPECT_EQ(temporaryDescriptor(), "MIDlet-Jar-URL: qlm_temp.jar\nMIDlet-Name: A long\n name\nMIDlet-Jar-Size: " +
                                         std::to_string(size) +
                                         "\nmanifest-version: 2\nName: a/A.class\nSHA-256-Digest: xyz\n");
}

TEST_F(JarFlow, FailuresOfTheTemporaryDescriptorAreReported) {
    world.files.addFile(kJar, archiveWithManifest("MIDlet-1: A, , a.A\n"));
    world.files.failCopy = true;
    EXPECT_FALSE(open());
    EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"File \"" + kJar + u"\" copy error."});

    world.ui.messages.clear();
    world.files.failCopy = false;
    world.files.addFile(kTemp + u"qlm_temp.jad", "old", true);
    EXPECT_FALSE(open());
    EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"File \"" + kTemp + u"qlm_temp.jad\" write error.\nThe file is read-only."});

    world.ui.messages.clear();
    world.files.clearReadOnly(kTemp + u"qlm_temp.jad");
    world.files.unreadableSizes.insert(FakeFiles::key(kTemp + u"qlm_temp.jar"));
    EXPECT_FALSE(open());
    EXPECT_EQ(world.messageTexts(), std::vector<WideString>{u"File \"" + kTemp + u"qlm_temp.jar\" read error.\nIts size could not be read."});
    EXPECT_TRUE(world.allOpeningErrors());
    EXPECT_TRUE(world.processes.attempts.empty());
}

TEST_F(JarFlow, RealSuitesStartThroughTheirDescriptorsOrATemporaryOne) {
    QUILLMONT_NEEDS_TESTDATA();
    for (const std::string name : {"miniTruco", "FPlay"}) {
        FlowWorld fresh;
        fresh.addStarter(StarterKind::J2ME, 1, u"emulator", u"%1 %2");
        fresh.setActions(StarterKind::J2ME, 1, 0);
        fresh.files.addFolder(kTemp);
        const WideString jar = u"C:\\real\\" + ascii(name.c_str()) + u".jar";
        fresh.files.addFile(jar, readTestdata("j2me/" + name + ".jar"));
        ASSERT_TRUE(runJarFlow(fresh.context, {jar, true, u""})) << name;
        EXPECT_EQ(FakeProcessLauncher::programOf(fresh.processes.started.back()), u"C:\\starters\\emulator.exe");
        const std::string descriptor = textOf(*fresh.files.contents(kTemp + u"qlm_temp.jad"));
        EXPECT_NE(descriptor.find("\nMIDlet-Jar-URL: qlm_temp.jar\n"), std::string::npos) << descriptor;
        EXPECT_EQ(descriptor.find('\r'), std::string::npos);

        fresh.files.addFile(u"C:\\real\\" + ascii(name.c_str()) + u".jad", readTestdata("j2me/" + name + ".jad"));
        fresh.dialogs.sizeAnswer = JadSizeAnswer::CorrectThisFile;  // both real descriptors declare a wrong size
        ASSERT_TRUE(runJarFlow(fresh.context, {jar, true, u""})) << name;
        EXPECT_EQ(fresh.dialogs.sizeRuns.size(), 1u);
        EXPECT_EQ(fresh.processes.started.back(),
                  u"\"C:\\starters\\emulator.exe\" \"C:\\real\\" + ascii(name.c_str()) + u".jad\" \"" + jar + u"\"");
    }
}
