#include <gtest/gtest.h>

#include "core/update/update_command.h"
#include "core/update/update_response.h"
#include "flow_world.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

Bytes bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string base64(const Bytes& data) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t at = 0; at < data.size(); at += 3) {
        const std::uint32_t group = (data[at] << 16) | (at + 1 < data.size() ? data[at + 1] << 8 : 0) |
                                    (at + 2 < data.size() ? data[at + 2] : 0);
        for (int i = 0; i < 4; ++i)
            out += i <= static_cast<int>(data.size() - at) ? alphabet[(group >> (18 - 6 * i)) & 63] : '=';
    }
    return out;
}

// A record: type, little-endian length, value.
Bytes record(std::uint8_t type, const Bytes& value, std::optional<std::int32_t> length = std::nullopt) {
    const auto n = static_cast<std::uint32_t>(length.value_or(static_cast<std::int32_t>(value.size())));
    Bytes out{type, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
              static_cast<std::uint8_t>(n >> 24)};
    out.insert(out.end(), value.begin(), value.end());
    return out;
}
Bytes version(std::uint32_t v) { return record(1, {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                                   static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)}); }
Bytes page(const std::string& url) { return record(3, bytes(url)); }
Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}
std::string answerOf(const Bytes& payload) { return "*" + base64(payload); }

const WideString kBase = u"https://updates.test/update/1/";
const WideString kRequest = kBase + u"?version=1.2.0.0&source=program";

// The update check's dialog without a window: the worker runs at once, and the
// user cancels after `cancelAfter` of the host's calls.
struct ScriptedUpdateDialogs final : UpdateDialogs, UpdateCheckHost {
    std::vector<std::string> events;
    int cancelAfter = -1;
    std::atomic<bool> cancelled{false};
    UpdateCheckOutcome runUpdateCheck(WindowRef, UpdateChecker& checker) override {
        UpdateCheckOutcome outcome;
        runUpdateCheckWorker(checker, *this, cancelled, outcome);
        return outcome;
    }
    void note(const std::string& event) {
        events.push_back(event);
        if (static_cast<int>(events.size()) == cancelAfter) cancelled = true;
    }
    void sleep(unsigned ms) override { note("sleep " + std::to_string(ms)); }
    void setProgress(int step) override { note("progress " + std::to_string(step)); }
    void endDialog(int result) override { note("end " + std::to_string(result)); }
};

}  // namespace

TEST(UpdateResponse, Base64GroupByGroup) {
    struct Case {
        const char* text;
        std::optional<std::string> decoded;
    };
    const Case cases[] = {
        // RFC 4648's vectors.
        {"", ""}, {"Zg==", "f"}, {"Zm8=", "fo"}, {"Zm9v", "foo"}, {"Zm9vYg==", "foob"}, {"Zm9vYmE=", "fooba"},
        {"Zm9vYmFy", "foobar"},
        {"Zg==Zm8=", "ffo"},  // a padded group before the end
        {"+/+/", "\xfb\xff\xbf"},
        {"Zm9", std::nullopt}, {"Zm9vY", std::nullopt},   // not whole groups
        {"=m9v", std::nullopt}, {"Z=9v", std::nullopt},   // "=" in the first or second place
        {"Zg=v", std::nullopt},                           // a data character after a third-place "="
        {"Zm9v\r\nYmFy", std::nullopt}, {"Zm9-", std::nullopt}, {"Zm 9", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        const std::optional<Bytes> decoded = decodeBase64Groups(bytes(text));
        EXPECT_EQ(decoded, c.decoded ? std::optional<Bytes>(bytes(*c.decoded)) : std::nullopt) << text;
    }
    for (std::size_t n = 0; n < 40; ++n) {  // what the tests encode comes back
        Bytes data;
        for (std::size_t i = 0; i < n; ++i) data.push_back(static_cast<std::uint8_t>(i * 37 + 11));
        EXPECT_EQ(decodeBase64Groups(bytes(base64(data))), data);
    }
}

TEST(UpdateResponse, RecordsAndBodies) {
    struct Case {
        const char* what;
        std::string body;
        bool ok;
    };
    const Bytes good = join({version(0x01030000), page("https://x/")});
    const Case cases[] = {
        {"types 1, 2 and 3, the 2 skipped", answerOf(join({version(0x01030000), record(2, bytes("ignored")), page("https://x/")})), true},
        {"3 before 1", answerOf(join({page("https://x/"), version(0x01030000)})), true},
        {"an empty page record counts", answerOf(join({version(1), record(3, {})})), true},
        {"two type-1 records", answerOf(join({version(1), version(2), page("https://x/")})), false},
        {"two type-3 records", answerOf(join({version(1), page("https://x/"), page("https://y/")})), false},
        {"a type-1 record of length 2", answerOf(join({record(1, {1, 2}), page("https://x/")})), false},
        {"no type-3 record", answerOf(version(1)), false},
        {"no type-1 record", answerOf(page("https://x/")), false},
        {"a negative length", answerOf(join({good, record(7, {}, -1)})), false},
        {"a length past the end", answerOf(join({good, record(7, bytes("ab"), 3)})), false},
        {"four bytes after a type", answerOf(join({good, Bytes{7, 0, 0, 0}})), false},
        {"\"*\" alone", "*", false},
        {"no \"*\"", base64(good), false},
        {"a line break in the Base64", "*" + base64(good).insert(8, "\r\n"), false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        const std::optional<UpdateRecords> records = decodeUpdateBody(bytes(c.body));
        EXPECT_EQ(records.has_value(), c.ok) << c.what;
    }
    const std::optional<UpdateRecords> records = decodeUpdateBody(bytes(answerOf(good)));
    ASSERT_TRUE(records);
    EXPECT_EQ(records->latestVersion, 0x01030000u);
    EXPECT_EQ(records->updateUrl, bytes("https://x/"));
}

TEST(UpdateChecker, AsksTheServiceAndReadsAtMostAMebibyte) {
    struct Case {
        const char* what;
        std::optional<std::string> answer;  // nothing: the URL cannot be opened
        bool ok;
        std::size_t maxReads = 0;  // 0: not checked
    };
    const std::string update = answerOf(join({version(0x01030000), page("HTTPS://quillmont.test/download?a=1")}));
    const std::string oversized = "*" + std::string(0x100000, 'A');
    const Case cases[] = {
        {"an answer", update, true},
        {"a page that is no web address", answerOf(join({version(0x01030000), page("file:///C:/Windows/notepad.exe")})), false},
        {"a page without a scheme", answerOf(join({version(0x01030000), page("C:\\setup.exe")})), false},
        {"not ours: read no further than the first piece", "<html>" + std::string(5000, ' '), false, 1},
        {"1 MiB and a byte: read no further", oversized, false, 0x100000 / 256 + 1},
        {"the URL cannot be opened", std::nullopt, false},
    };
    for (const Case& c : cases) {
        FlowWorld world;
        if (c.answer) world.http.answer(kRequest, *c.answer);
        UpdateChecker checker(world.http, world.environment, 0x01020000, kBase, u"program");
        EXPECT_EQ(checker.check(), c.ok) << c.what;
        ASSERT_EQ(world.http.requests.size(), 1u) << c.what;
        EXPECT_EQ(world.http.requests[0].userAgent, u"WebUpdateChecker");
        EXPECT_EQ(world.http.requests[0].url, kRequest);
        EXPECT_EQ(world.http.requests[0].headers, u"Content-type: text/plain");
        for (std::size_t size : world.http.readSizes) EXPECT_EQ(size, 256u);
        if (c.maxReads != 0) {
            EXPECT_LE(world.http.readSizes.size(), c.maxReads) << c.what;
        }
        EXPECT_EQ(world.http.openBodies + world.http.openSessions, 0) << c.what;
        EXPECT_EQ(checker.latestVersion(), c.ok ? 0x01030000u : 0u);
        EXPECT_EQ(checker.updateUrl(), c.ok ? u"HTTPS://quillmont.test/download?a=1" : u"");
    }
    FlowWorld broken;
    broken.http.answers[kRequest] = {bytes(update), 20};  // a read error after 20 bytes
    EXPECT_FALSE(UpdateChecker(broken.http, broken.environment, 0x01020000, kBase, u"program").check());
    broken.http.failSession = true;
    EXPECT_FALSE(UpdateChecker(broken.http, broken.environment, 0x01020000, kBase, u"program").check());
}

TEST(UpdateCheckCommand, SaysWhatTheServiceAnsweredUnlessCancelled) {
    struct Case {
        const char* what;
        std::optional<std::uint32_t> latest;  // nothing: the server answers nothing useful
        int cancelAfter;
        std::vector<std::string> events;
        std::optional<std::u16string> message;
        bool opened;
    };
    const std::vector<std::string> whole{"sleep 200", "progress 1", "progress 2", "sleep 200", "progress 3",
                                         "sleep 200", "end 1"};
    const Case cases[] = {
        {"a newer version", 0x01020001, -1, whole, u"There are some updates for the program.", true},
        {"the same version", 0x01020000, -1, whole, u"This is the latest version of the program.", false},
        {"an older version", 0x01010000, -1, whole, u"This is the latest version of the program.", false},
        {"a failure", std::nullopt, -1, {"sleep 200", "progress 1", "end 1"},
         u"Server connection error. Please check your Internet connection.", false},
        {"cancelled in the first pause", 0x01030000, 1, {"sleep 200", "end 2"}, std::nullopt, false},
        {"cancelled during a failing request", std::nullopt, 2, {"sleep 200", "progress 1", "end 2"}, std::nullopt, false},
        {"cancelled in the last pause", 0x01030000, 6, {"sleep 200", "progress 1", "progress 2", "sleep 200", "progress 3",
                                                        "sleep 200", "end 2"}, std::nullopt, false},
    };
    for (const Case& c : cases) {
        FlowWorld world;
        if (c.latest) world.http.answer(kRequest, answerOf(join({version(*c.latest), page("https://quillmont.test/new")})));
        ScriptedUpdateDialogs dialogs;
        dialogs.cancelAfter = c.cancelAfter;
        checkForUpdates(WindowRef(9), world.platform, dialogs, kBase);
        EXPECT_EQ(dialogs.events, c.events) << c.what;
        ASSERT_EQ(world.ui.messages.size(), c.message ? 1u : 0u) << c.what;
        if (c.message) {
            EXPECT_EQ(world.ui.messages[0].text, *c.message) << c.what;
            EXPECT_EQ(world.ui.messages[0].owner, WindowRef(9));
            const bool failed = !c.latest;
            EXPECT_EQ(world.ui.messages[0].kind, failed ? MessageKind::ValidationError : MessageKind::Complete);
        }
        EXPECT_EQ(world.shell.openedUrls, c.opened ? std::vector<WideString>{u"https://quillmont.test/new"}
                                                   : std::vector<WideString>{}) << c.what;
    }
}

TEST(UpdateCheckCommand, AnExceptionInTheWorkerEndsTheCheckWithTheConnectionError) {
    FlowWorld world;
    world.http.throwOnSession = true;
    ScriptedUpdateDialogs dialogs;
    checkForUpdates(WindowRef(9), world.platform, dialogs, kBase);
    EXPECT_EQ(dialogs.events, (std::vector<std::string>{"sleep 200", "progress 1", "end 1"}));
    ASSERT_EQ(world.ui.messages.size(), 1u);
    EXPECT_EQ(world.ui.messages[0].text, u"Server connection error. Please check your Internet connection.");
}
