#include "http_contract.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillmont;
using namespace quillmont::testing;

namespace {

// The whole body, read in pieces of `piece` bytes; nothing on a read error.
std::optional<std::string> readAll(HttpBody& body, std::size_t piece, std::size_t& reads) {
    std::string all;
    std::vector<std::uint8_t> buffer(piece);
    while (true) {
        const std::optional<std::size_t> got = body.read(buffer);
        if (!got) return std::nullopt;
        if (*got == 0) return all;
        EXPECT_LE(*got, piece);
        ++reads;
        all.append(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(*got));
    }
}

}  // namespace

TEST(HttpContract, ABodyIsReadWholeInPiecesWhateverTheStatus) {
    auto harness = makeHttpHarness();
    std::unique_ptr<HttpSession> session = harness->client().openSession(u"WebUpdateChecker");
    ASSERT_NE(session, nullptr);
    struct Case {
        const char* answer;
        std::size_t size;
        char first;
    };
    for (const Case& c : {Case{"oversize", 0x100001, '*'}, Case{"error500", 47, '<'}, Case{"latest", 73, '*'}}) {
        std::unique_ptr<HttpBody> body = session->get(harness->url(c.answer), u"Content-type: text/plain");
        ASSERT_NE(body, nullptr) << c.answer;
        std::size_t reads = 0;
        const std::optional<std::string> all = readAll(*body, 256, reads);
        ASSERT_TRUE(all) << c.answer;
        EXPECT_EQ(all->size(), c.size) << c.answer;
        EXPECT_EQ(all->front(), c.first) << c.answer;
        EXPECT_GE(reads, (c.size + 255) / 256) << c.answer;
    }
}

TEST(HttpContract, WhatCannotBeReachedCannotBeOpened) {
    auto harness = makeHttpHarness();
    std::unique_ptr<HttpSession> session = harness->client().openSession(u"WebUpdateChecker");
    ASSERT_NE(session, nullptr);
    for (const char16_t* url : {u"http://127.0.0.1:1/update/1/", u"file:///C:/windows/win.ini", u"ftp://127.0.0.1/x",
                                u"not a url"})
        EXPECT_EQ(session->get(url, u""), nullptr) << std::string(url, url + std::char_traits<char16_t>::length(url));
}

TEST(HttpContract, TheRequestCarriesTheAgentTheHeaderAndNoCache) {
    auto harness = makeHttpHarness();
    if (!harness->echoes()) GTEST_SKIP() << "the fake sees requests but sends nothing";
    std::unique_ptr<HttpSession> session = harness->client().openSession(u"WebUpdateChecker");
    ASSERT_NE(session, nullptr);
    std::unique_ptr<HttpBody> body = session->get(harness->url("echo") + u"?version=1.2.0.0&source=program",
                                                  u"Content-type: text/plain");
    ASSERT_NE(body, nullptr);
    std::size_t reads = 0;
    const std::string echoed = readAll(*body, 256, reads).value_or("");
    EXPECT_NE(echoed.find("GET /echo/update/1/?version=1.2.0.0&source=program HTTP/1.1\n"), std::string::npos) << echoed;
    EXPECT_NE(echoed.find("User-Agent: WebUpdateChecker\n"), std::string::npos) << echoed;
    EXPECT_NE(echoed.find("Content-type: text/plain\n"), std::string::npos) << echoed;
    EXPECT_NE(echoed.find("Pragma: no-cache\n"), std::string::npos) << echoed;
}

// A cancel that comes after its requests have ended touches no handle: a request
// of another session, opened since (WinINet may give it the values the first one's
// handles had), goes on. Later requests of the cancelled session fail at once, and
// a cancel between two reads fails the next one.
TEST(HttpContract, CancelEndsOnlyItsOwnSessionsRequestsWhenEverItComes) {
    auto harness = makeHttpHarness();
    std::unique_ptr<HttpSession> first = harness->client().openSession(u"WebUpdateChecker");
    ASSERT_NE(first, nullptr);
    std::size_t reads = 0;
    std::unique_ptr<HttpBody> body = first->get(harness->url("latest"), u"");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(readAll(*body, 256, reads).value_or("").size(), 73u);
    body.reset();

    std::unique_ptr<HttpSession> second = harness->client().openSession(u"WebUpdateChecker");
    ASSERT_NE(second, nullptr);
    std::unique_ptr<HttpBody> other = second->get(harness->url("latest"), u"");
    ASSERT_NE(other, nullptr);
    first->cancel();
    first->cancel();
    EXPECT_EQ(readAll(*other, 256, reads).value_or("").size(), 73u);
    EXPECT_EQ(first->get(harness->url("latest"), u""), nullptr);

    std::unique_ptr<HttpBody> cut = second->get(harness->url("oversize"), u"");
    ASSERT_NE(cut, nullptr);
    std::vector<std::uint8_t> piece(256);
    EXPECT_TRUE(cut->read(piece).has_value());
    second->cancel();
    EXPECT_EQ(cut->read(piece), std::nullopt);
}
