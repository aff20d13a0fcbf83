#include <gtest/gtest.h>

#include <algorithm>

#include "core/scan/scan_results.h"
#include "core/scan/starter_scanner.h"
#include "fake_scan_dialogs.h"
#include "flow_world.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

DetectedStarter proposal(const WideString& group, std::int32_t rank, const WideString& name,
                         const WideString& executable, const WideString& exclude = {},
                         const WideString& require = {}) {
    DetectedStarter p;
    p.group = group;
    p.rank = rank;
    p.starter.name = name;
    p.starter.executableFile = executable;
    p.starter.arguments = u"-jar %1 %*";
    p.excludeArgumentsPattern = exclude;
    p.requireArgumentsPattern = require;
    return p;
}

// A scanner whose scan proposes what the test gives it.
class ScriptedScanner final : public StarterScanner {
public:
    using StarterScanner::StarterScanner;
    std::vector<DetectedStarter> toPropose;
    WideString progressTitle() const override { return u"Scanning"; }
    WideString noneFoundMessage() const override { return u"Nothing found."; }
    WideString resultsTitle() const override { return u"Found"; }
    void scan() override {
        for (const DetectedStarter& p : toPropose) addDetected(p);
    }
};

struct ScanWorld : FlowWorld {
    FakeScanDialogs scanDialogs;
    StarterList& starters = store.list(StarterKind::J2ME);
    ScriptedScanner scanner{{platform, scanDialogs, starters}};

    std::vector<bool> mains() const {
        std::vector<bool> flags;
        for (const DetectedStarter& d : scanner.detected()) flags.push_back(d.main);
        return flags;
    }
    std::vector<WideString> names() const {
        std::vector<WideString> list;
        for (int slot = starters.nextSlot(0); slot != 0; slot = starters.nextSlot(slot))
            list.push_back(starters.record(slot).name);
        return list;
    }
};

}  // namespace

TEST(StarterScanner, OnlyTheBestRankOfAGroupStaysMainWhateverTheOrder) {
    const WideString exe = u"C:\\Java\\bin\\javaw.exe";
    std::vector<std::int32_t> ranks = {-1, 0, 1};
    do {
        ScanWorld world;
        for (std::int32_t rank : ranks) world.scanner.addDetected(proposal(u"G", rank, ascii(std::to_string(rank).c_str()), exe));
        for (const DetectedStarter& d : world.scanner.detected()) EXPECT_EQ(d.main, d.rank == 1) << d.rank;
    } while (std::next_permutation(ranks.begin(), ranks.end()));

    ScanWorld world;
    world.scanner.addDetected(proposal(u"G", 0, u"a", exe));
    world.scanner.addDetected(proposal(u"G", 0, u"b", exe));
    world.scanner.addDetected(proposal(u"H", -5, u"c", exe));
    EXPECT_EQ(world.mains(), (std::vector<bool>{true, true, true})) << "equal ranks and other groups stay main";
}

TEST(StarterScanner, AProposalEqualInGroupNameAndExecutableIsDropped) {
    ScanWorld world;
    world.scanner.addDetected(proposal(u"G", 1, u"JRE", u"C:\\J\u00e4va\\bin\\javaw.exe"));
    world.scanner.addDetected(proposal(u"G", 2, u"JRE", u"c:\\J\u00c4VA\\BIN\\JAVAW.EXE"));  // dropped, rank unused
    world.scanner.addDetected(proposal(u"G", 1, u"jre", u"C:\\J\u00e4va\\bin\\javaw.exe"));   // another name
    world.scanner.addDetected(proposal(u"g", 1, u"JRE", u"C:\\J\u00e4va\\bin\\javaw.exe"));   // another group
    ASSERT_EQ(world.scanner.detected().size(), 3u);
    EXPECT_EQ(world.mains(), (std::vector<bool>{true, true, true}));
}

TEST(StarterScanner, AConfiguredStarterIsOneWithTheSameExecutableAndFittingArguments) {
    const WideString emulator = u"C:\\WTK\\bin\\emulator.exe";
    struct Case {
        const char* what;
        WideString configuredExecutable, configuredArguments, exclude, require;
        bool configured;
    };
    const Case cases[] = {
        {"no patterns: any arguments", u"c:\\wtk\\BIN\\Emulator.exe", u"whatever", u"", u"", true},
        {"another executable", u"C:\\WTK\\bin\\emulator2.exe", u"", u"", u"", false},
        {"the device it requires", emulator, u"-Xdescriptor:%1 -Xdevice:Phone", u"", u".*-Xdevice:Phone.*", true},
        {"a longer device that begins alike", emulator, u"-Xdevice:PhoneX", u"", u".*-Xdevice:Phone.*", true},
        {"another device", emulator, u"-Xdevice:Tablet", u"", u".*-Xdevice:Phone.*", false},
        {"the default emulator and a device", emulator, u"-Xdevice:Phone", u".*-Xdevice:.*", u"", false},
        {"the default emulator and none", emulator, u"-Xdescriptor:%1", u".*-Xdevice:.*", u"", true},
        {"an exclude pattern in error excludes nothing", emulator, u"-Xdevice:(", u".*-Xdevice:(.*", u"", true},
        {"a require pattern in error never fits", emulator, u"-Xdevice:(", u"", u".*-Xdevice:(.*", false},
    };
    for (const Case& c : cases) {
        ScanWorld world;
        world.starters.placeRecord(3, {u"mine", c.configuredExecutable, c.configuredArguments});
        world.scanner.addDetected(proposal(u"G", 0, u"p", emulator, c.exclude, c.require));
        world.scanner.markConfigured();
        EXPECT_EQ(world.scanner.detected()[0].configured, c.configured) << c.what;
    }
}

TEST(StarterScanner, NothingDetectedSaysSoAndChangesNothing) {
    ScanWorld world;
    world.starters.placeRecord(1, {u"kept", u"C:\\a.exe", u""});
    EXPECT_FALSE(world.scanner.run(WindowRef(7)));
    EXPECT_EQ(world.scanDialogs.events, (std::vector<std::string>{"progress Scanning", "~progress"}));
    ASSERT_EQ(world.ui.messages.size(), 1u);
    EXPECT_EQ(world.ui.messages[0].text, u"Nothing found.");
    EXPECT_EQ(world.ui.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(world.ui.messages[0].owner, WindowRef(7));
    EXPECT_EQ(world.names(), std::vector<WideString>{u"kept"});
}

TEST(StarterScanner, AddCheckedAppendsTheTickedProposalsInTheOrderTheyWereDetected) {
    ScanWorld world;
    world.starters.placeRecord(2, {u"configured", u"C:\\b.exe", u""});
    world.scanner.toPropose = {proposal(u"1", 0, u"Zeta", u"C:\\z.exe"), proposal(u"2", 0, u"Beta", u"C:\\b.exe"),
                               proposal(u"3", 0, u"Alpha", u"C:\\a.exe"), proposal(u"4", 0, u"Mu", u"C:\\m.exe")};
    world.scanDialogs.answer = [](std::vector<DetectedStarter>& detected) {
        EXPECT_EQ(resultRows(detected, false), (std::vector<std::size_t>{0, 2, 3})) << "Beta is configured";
        markChecked(detected, {2, 1, 0});  // ticked in the list's order: Alpha, Beta (shown), Zeta
        return true;
    };
    EXPECT_TRUE(world.scanner.run(WindowRef(7)));
    EXPECT_EQ(world.scanDialogs.events,
              (std::vector<std::string>{"progress Scanning", "~progress", "results Found"}));
    EXPECT_EQ(world.names(), (std::vector<WideString>{u"Zeta", u"configured", u"Beta", u"Alpha"}))
        << "the lowest free slot first; a configured proposal is added again when ticked";
    EXPECT_EQ(world.starters.record(3).executableFile, u"C:\\b.exe");
    EXPECT_EQ(world.starters.record(1).arguments, u"-jar %1 %*");
    EXPECT_TRUE(world.ui.messages.empty());
}

TEST(StarterScanner, CancellingTheResultsAddsNothing) {
    ScanWorld world;
    world.scanner.toPropose = {proposal(u"1", 0, u"Zeta", u"C:\\z.exe")};
    world.scanDialogs.answer = [](std::vector<DetectedStarter>& detected) {
        markChecked(detected, {0});  // a dialog that ticks and then cancels
        return false;
    };
    EXPECT_FALSE(world.scanner.run(kNoWindow));
    EXPECT_TRUE(world.names().empty());
}

TEST(ScanResults, RowsAreTheMainUnconfiguredProposalsOrAllOfThem) {
    std::vector<DetectedStarter> detected(4);
    detected[1].main = false;
    detected[2].configured = true;
    EXPECT_EQ(resultRows(detected, false), (std::vector<std::size_t>{0, 3}));
    EXPECT_EQ(resultRows(detected, true), (std::vector<std::size_t>{0, 1, 2, 3}));
    markChecked(detected, {3, 9});
    EXPECT_TRUE(detected[3].checked);
    EXPECT_EQ(std::count_if(detected.begin(), detected.end(), [](const auto& d) { return d.checked; }), 1);
}
