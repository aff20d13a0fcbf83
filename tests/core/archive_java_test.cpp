#include <gtest/gtest.h>

#include "core/launch/jar_flow.h"
#include "flow_world.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr auto J2SE = StarterKind::J2SE;
const WideString kJar = u"C:\\My Apps\\app.jar";

std::string classOf(int major) {
    return std::string("\xCA\xFE\xBA\xBE\x00\x00\x00", 7) + static_cast<char>(major) + std::string(8, '\0');
}

// Starters whose Java is told by a release file (8, 21), by the program's file
// version alone (17 and 25, java.exe) and by nothing (a javaw.exe without either).
struct ArchiveJava : ::testing::Test {
    FlowWorld world;

    void place(int slot, const WideString& name, const WideString& program) {
        world.store.list(J2SE).placeRecord(slot, {name, program, u"-jar %1"});
        world.store.save();
        world.processes.programs.insert(program);
    }
    void SetUp() override {
        place(1, u"Java 8", u"C:\\Java\\jdk8\\bin\\javaw.exe");
        world.files.addFile(u"C:\\Java\\jdk8\\release", "JAVA_VERSION=\"1.8.0_392\"\n");
        place(2, u"Java 17 console", u"C:\\Java\\jdk17\\bin\\java.exe");
        world.versions.setFixedFileVersion(u"C:\\Java\\jdk17\\bin\\java.exe", {17, 0, 9, 0});
        place(3, u"Java 21", u"C:\\Java\\jdk21\\bin\\javaw.exe");
        world.files.addFile(u"C:\\Java\\jdk21\\release", "IMPLEMENTOR=\"Eclipse Adoptium\"\nJAVA_VERSION=\"21.0.1\"\n");
        place(4, u"Mystery", u"C:\\Tools\\javaw.exe");
        place(5, u"Java 25 console", u"C:\\Java\\jdk25\\bin\\java.exe");
        world.versions.setFixedFileVersion(u"C:\\Java\\jdk25\\bin\\java.exe", {25, 0, 1, 0});
    }
    // Opens an archive with the manifest and entries given, starting `slot` by default.
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
    WideString startedProgram() const {
        return world.processes.started.empty() ? u"" : FakeProcessLauncher::programOf(world.processes.started.back());
    }
};

}  // namespace

TEST_F(ArchiveJava, EachClassVersionNeedsItsJava) {
    world.ui.answers.assign(100, MessageAnswer::Yes);
    for (int major = 45; major <= 70; ++major) {
        const int needs = major - 44;
        ASSERT_TRUE(open("Main-Class: a.Main\n", {{"a/Main.class", classOf(major)}}, 1)) << major;
        const std::optional<MessageKind> asked =
            world.ui.messages.empty() ? std::nullopt : std::optional(world.ui.messages[0].kind);
        const std::optional<MessageKind> expected =
            needs <= 8 ? std::nullopt : std::optional(needs <= 25 ? MessageKind::OpeningOffer : MessageKind::OpeningChoice);
        EXPECT_EQ(asked, expected) << major;
        EXPECT_EQ(world.messageTexts().size(), needs > 8 ? 1u : 0u) << major;
    }
}

TEST_F(ArchiveJava, WhatTheArchiveNeedsAndWhatIsAskedAndStarted) {
    const std::string java17 = classOf(61), java21 = classOf(65), java8 = classOf(52);
    struct Case {
        const char* what;
        std::string manifest;
        std::vector<std::pair<std::string, std::string>> entries;
        int chosen;
        std::optional<MessageAnswer> answer;  // nothing: no question is asked
        WideString started;                   // empty: nothing starts
    };
    const WideString j8 = u"C:\\Java\\jdk8\\bin\\javaw.exe", j17 = u"C:\\Java\\jdk17\\bin\\java.exe",
                     j21 = u"C:\\Java\\jdk21\\bin\\javaw.exe",
                     j25 = u"C:\\Java\\jdk25\\bin\\java.exe", mystery = u"C:\\Tools\\javaw.exe";
    const std::vector<Case> cases = {
        {"new enough", "Main-Class: a.Main\n", {{"a/Main.class", java8}}, 1, {}, j8},
        {"no Main-Class", "Manifest-Version: 1.0\n", {{"a/Main.class", java21}}, 1, {}, j8},
        {"class missing", "Main-Class: a.Other\n", {{"a/Main.class", java21}}, 1, {}, j8},
        {"no class file", "Main-Class: a.Main\n", {{"a/Main.class", "not a class at all"}}, 1, {}, j8},
        {"cut-short class", "Main-Class: a.Main\n", {{"a/Main.class", java21.substr(0, 7)}}, 1, {}, j8},
        {"unknown Java is not held back", "Main-Class: a.Main\n", {{"a/Main.class", java21}}, 4, {}, mystery},
        {"java.exe gets the newest of any kind", "Main-Class: a.Main\n", {{"a/Main.class", java21}}, 2, MessageAnswer::Yes, j25},
        {"javaw.exe gets a javaw.exe first", "Main-Class: a.Main\n", {{"a/Main.class", java21}}, 1, MessageAnswer::Yes, j21},
        {"Yes takes the offer", "Main-Class: a.Main\n", {{"a/Main.class", java17}}, 1, MessageAnswer::Yes, j21},
        {"No starts the chosen", "Main-Class: a.Main\n", {{"a/Main.class", java17}}, 1, MessageAnswer::No, j8},
        {"Cancel starts nothing", "Main-Class: a.Main\n", {{"a/Main.class", java17}}, 1, MessageAnswer::Cancel, u""},
        {"file version new enough", "Main-Class: a.Main\n", {{"a/Main.class", java17}}, 2, {}, j17},
        {"wrapped Main-Class", "Main-Class: a.Ma\n in\n", {{"a/Main.class", java17}}, 1, MessageAnswer::Yes, j21},
        {"Start-Class of Spring Boot", "Main-Class: boot.Launcher\nStart-Class: a.App\n",
         {{"boot/Launcher.class", java8}, {"BOOT-INF/classes/a/App.class", java21}}, 2, MessageAnswer::Yes, j25},
        {"Multi-Release takes the base", "Multi-Release: true\nMain-Class: a.Main\n",
         {{"a/Main.class", java8}, {"META-INF/versions/21/a/Main.class", java21}}, 1, {}, j8},
        {"none new enough, Yes", "Main-Class: a.Main\n", {{"a/Main.class", classOf(70)}}, 1, MessageAnswer::Yes, j8},
        {"none new enough, No", "Main-Class: a.Main\n", {{"a/Main.class", classOf(70)}}, 1, MessageAnswer::No, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world.ui.answers.clear();
        if (c.answer) world.ui.answers.push_back(*c.answer);
        EXPECT_EQ(open(c.manifest, c.entries, c.chosen), !c.started.empty());
        EXPECT_EQ(world.ui.messages.size(), c.answer ? 1u : 0u);
        EXPECT_EQ(startedProgram(), c.started);
        if (!c.started.empty()) {
            EXPECT_EQ(world.store.list(J2SE).record(world.storedLastAction(J2SE)).executableFile, c.started);
        }
    }
}

TEST_F(ArchiveJava, TheMessagesNameTheArchiveTheStartersAndTheirJava) {
    const std::pair<int, int> opens[] = {{61, 1}, {70, 1}, {70, 5}};  // class major, chosen slot
    const WideString expected[] = {
        u"\"app.jar\" needs Java 17 or newer, but the starter \"Java 8\" runs Java 8.\n\nStart it with \"Java 21\", "
        u"which runs Java 21, instead?\n\nChoose No to start it with \"Java 8\" anyway.",
        u"\"app.jar\" needs Java 26 or newer, but the starter \"Java 8\" runs Java 8. The newest Java among the J2SE "
        u"starters is Java 25.\n\nInstall Java 26 or newer, then add it with Scan in Quillmont's setup.\n\n"
        u"Start it with \"Java 8\" anyway?",
        u"\"app.jar\" needs Java 26 or newer, but the starter \"Java 25 console\" runs Java 25. None of the J2SE "
        u"starters runs a newer Java.\n\nInstall Java 26 or newer, then add it with Scan in Quillmont's setup.\n\n"
        u"Start it with \"Java 25 console\" anyway?",
    };
    for (std::size_t i = 0; i < std::size(opens); ++i) {
        world.ui.answers = {MessageAnswer::Cancel};
        EXPECT_FALSE(open("Main-Class: a.Main\n", {{"a/Main.class", classOf(opens[i].first)}}, opens[i].second));
        EXPECT_EQ(world.messageTexts(), std::vector<WideString>{expected[i]});
        EXPECT_EQ(world.ui.messages.at(0).owner, kNoWindow);
    }
}
