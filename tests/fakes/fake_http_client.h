#pragma once

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "platform/http_client.h"

namespace quillmont::testing {

// Web servers as a table: what each URL answers; a cancelled session fails its
// bodies' next reads and every later request, as the real one does. Records every
// request and the size of every read, so that the request's form and the reading
// can be checked.
class FakeHttpClient final : public HttpClient {
public:
    struct Answer {
        Bytes body;
        std::size_t readErrorAfter = static_cast<std::size_t>(-1);  // bytes before a read fails
    };
    struct Request {
        WideString userAgent, url, headers;
    };

    bool failSession = false;
    bool throwOnSession = false;  // as an allocation that fails would
    std::map<WideString, Answer> answers;  // a URL not in the table cannot be opened
    std::vector<Request> requests;
    std::vector<std::size_t> readSizes;  // the buffer size of every read
    int openBodies = 0;
    int openSessions = 0;

    void answer(const WideString& url, const std::string& body) { answers[url] = {Bytes(body.begin(), body.end())}; }

    std::unique_ptr<HttpSession> openSession(const WideString& userAgent) override {
        if (throwOnSession) throw std::bad_alloc();
        if (failSession) return nullptr;
        return std::make_unique<Session>(*this, userAgent);
    }

private:
    class Body final : public HttpBody {
    public:
        Body(FakeHttpClient& owner, const Answer& answer, std::shared_ptr<std::atomic<bool>> cancelled)
            : owner_(owner), answer_(answer), cancelled_(std::move(cancelled)) {
            ++owner_.openBodies;
        }
        ~Body() override { --owner_.openBodies; }
        std::optional<std::size_t> read(std::span<std::uint8_t> buffer) override {
            owner_.readSizes.push_back(buffer.size());
            if (*cancelled_ || at_ >= answer_.readErrorAfter) return std::nullopt;
            const std::size_t count =
                std::min({buffer.size(), answer_.body.size() - at_, answer_.readErrorAfter - at_});
            std::copy_n(answer_.body.begin() + static_cast<std::ptrdiff_t>(at_), count, buffer.begin());
            at_ += count;
            return count;
        }

    private:
        FakeHttpClient& owner_;
        const Answer& answer_;
        std::shared_ptr<std::atomic<bool>> cancelled_;
        std::size_t at_ = 0;
    };
    class Session final : public HttpSession {
    public:
        Session(FakeHttpClient& owner, WideString userAgent) : owner_(owner), userAgent_(std::move(userAgent)) {
            ++owner_.openSessions;
        }
        ~Session() override { --owner_.openSessions; }
        std::unique_ptr<HttpBody> get(const WideString& url, const WideString& headers) override {
            owner_.requests.push_back({userAgent_, url, headers});
            auto found = owner_.answers.find(url);
            if (*cancelled_ || found == owner_.answers.end()) return nullptr;
            return std::make_unique<Body>(owner_, found->second, cancelled_);
        }
        void cancel() override { *cancelled_ = true; }

    private:
        FakeHttpClient& owner_;
        WideString userAgent_;
        std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);
    };
};

}  // namespace quillmont::testing
