#include <gtest/gtest.h>

#include "core/launch/jar_flow.h"
#include "core/text/path_parts.h"
#include "flow_world.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr auto J2SE = StarterKind::J2SE;
const WideString kJar = u"C:\\My Apps\\app.jar";
const WideString j8 = u"C:\\Java\\jdk8\\bin\\javaw.exe", j17 = u"C:\\Java\\jdk17\\bin\\java.exe",
                 j21 = u"C:\\Java\\jdk21\\bin\\javaw.exe", j25 = u"C:\\Java\\jdk25\\bin\\java.exe",
                 mystery = u"C:\\Tools\\javaw.exe";

std::string classOf(int major) { return std::string("\xCA\xFE\xBA\xBE\0\0\0", 7) + char(major) + std::string(8, '\0'); }

// Starters whose Java a release file tells (8, 21), the program's file version
// alone (17 and 25, both java.exe), and nothing (4).
struct ArchiveJava : ::testing::Test {
    FlowWorld world;
    void SetUp() override {
        int slot = 0;
        for (const WideString& program : {j8, j17, j21, mystery, j25}) {
            world.store.list(J2SE).placeRecord(++slot, {fileNameOf(folderOf(folderOf(program))), program, u"-jar %1"});
            world.processes.programs.insert(program);
        }
        world.files.addFile(u"C:\\Java\\jdk8\\release", "JAVA_VERSION=\"1.8.0_392\"\n");
        world.files.addFile(u"C:\\Java\\jdk21\\release", "IMPLEMENTOR=\"Eclipse Adoptium\"\nJAVA_VERSION=\"21.0.1\"\n");
        world.versions.setFixedFileVersion(j17, {17, 0, 9, 0});
        world.versions.setFixedFileVersion(j25, {25, 0, 1, 0});
    }
    // Opens an archive of the manifest and entries with `slot` as the default starter.
    bool open(const std::string& manifest, const std::vector<std::pair<std::string, std::string>>& entries, int slot) {
        ZipBuilder zip;
        zip.add("META-INF/MANIFEST.MF", manifest);
        for (const auto& [name, data] : entries) zip.add(name, data);
        world.files.addFile(kJar, zip.build());
        world.setActions(J2SE, slot, 0);
        world.processes.started.clear();
        world.ui.messages.clear();
        return runJarFlow(world.context, {kJar, true, u""});
    }
};

}  // namespace

TEST_F(ArchiveJava, WhatTheArchiveNeedsWhatIsAskedAndWhatStarts) {
    world.ui.answers.assign(26, MessageAnswer::Yes);  // the newer starter, or the old one anyway
    for (int major = 45; major <= 70; ++major) {
        ASSERT_TRUE(open("Main-Class: a.Main\n", {{"a/Main.class", classOf(major)}}, 1)) << major;
        const int needs = major - 44;
        const std::vector<FakeUserInterface::Message>& asked = world.ui.messages;
        EXPECT_EQ(asked.empty() ? std::nullopt : std::optional(asked[0].kind),
                  needs <= 8 ? std::nullopt
                             : std::optional(needs <= 25 ? MessageKind::OpeningOffer : MessageKind::OpeningChoice))
            << major;
    }
    const std::string c8 = classOf(52), c17 = classOf(61), c21 = classOf(65), c26 = classOf(70);
    const std::string mainClass = "Main-Class: a.Main\n";
    struct Case {
        std::string manifest;
        std::vector<std::pair<std::string, std::string>> entries;
        int chosen;
        std::optional<MessageAnswer> answer;  // nothing: no question is asked
        WideString started;                   // empty: nothing starts
        WideString mentions = {};             // in the question
    };
    const Case cases[] = {
        {"Manifest-Version: 1.0\n", {{"a/Main.class", c21}}, 1, {}, j8},
        {"Main-Class: a.Other\n", {{"a/Main.class", c21}}, 1, {}, j8},
        {mainClass, {{"a/Main.class", c21.substr(0, 7)}}, 1, {}, j8},
        {mainClass, {{"a/Main.class", c21}}, 4, {}, mystery},  // an unknown Java is not held back
        {mainClass, {{"a/Main.class", c17}}, 2, {}, j17},
        {mainClass, {{"a/Main.class", c17}}, 1, MessageAnswer::Yes, j21, u"needs Java 17 or newer"},
        {mainClass, {{"a/Main.class", c21}}, 1, MessageAnswer::Yes, j21},  // a javaw.exe before a newer java.exe
        {mainClass, {{"a/Main.class", c21}}, 2, MessageAnswer::Yes, j25},  // java.exe takes either
        {mainClass, {{"a/Main.class", c17}}, 1, MessageAnswer::No, j8},
        {mainClass, {{"a/Main.class", c17}}, 1, MessageAnswer::Cancel, u""},
        {"Main-Class: a.Ma\n in\n", {{"a/Main.class", c17}}, 1, MessageAnswer::Yes, j21},
        {"Main-Class: boot.Launcher\nStart-Class: a.App\n",
         {{"boot/Launcher.class", c8}, {"BOOT-INF/classes/a/App.class", c21}}, 1, MessageAnswer::Yes, j21},
        {"Multi-Release: true\n" + mainClass, {{"a/Main.class", c8}, {"META-INF/versions/21/a/Main.class", c21}}, 1, {},
         j8},
        {mainClass, {{"a/Main.class", c26}}, 1, MessageAnswer::Yes, j8, u"The newest Java among the J2SE starters is Java 25."},
        {mainClass, {{"a/Main.class", c26}}, 5, MessageAnswer::No, u"", u"None of the J2SE starters runs a newer Java."},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        world.ui.answers.clear();
        if (c.answer) world.ui.answers.push_back(*c.answer);
        EXPECT_EQ(open(c.manifest, c.entries, c.chosen), !c.started.empty()) << i;
        ASSERT_EQ(world.ui.messages.size(), c.answer ? 1u : 0u) << i;
        EXPECT_TRUE(!c.answer || world.ui.messages[0].text.find(c.mentions) != WideString::npos) << i;
        const WideString started = world.processes.started.empty() ? u"" : world.processes.started.back();
        EXPECT_EQ(FakeProcessLauncher::programOf(started), c.started) << i;
        if (!c.started.empty()) {
            EXPECT_EQ(world.store.list(J2SE).record(world.storedLastAction(J2SE)).executableFile, c.started) << i;
        }
    }
}
