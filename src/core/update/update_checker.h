#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

#include "base/bytes.h"
#include "base/wide_string.h"
#include "platform/environment.h"
#include "platform/http_client.h"

namespace quillmont {

// Asks the update service whether a newer version exists:
//   GET <base>?version=<a>.<b>.<c>.<d>&source=<source>
// with the user agent "WebUpdateChecker", and reads the answer (at most 1 MiB).
class UpdateChecker {
public:
    UpdateChecker(HttpClient& http, Environment& system, std::uint32_t currentVersion, WideString baseUrl,
                  WideString source)
        : http_(http),
          system_(system),
          currentVersion_(currentVersion),
          baseUrl_(std::move(baseUrl)),
          source_(std::move(source)) {}

    // A copy asks the same service on the same ports, with a lock of its own.
    UpdateChecker(const UpdateChecker& other)
        : http_(other.http_),
          system_(other.system_),
          currentVersion_(other.currentVersion_),
          baseUrl_(other.baseUrl_),
          source_(other.source_),
          latestVersion_(other.latestVersion_),
          updateUrl_(other.updateUrl_) {}
    UpdateChecker& operator=(const UpdateChecker&) = delete;
    // What another checker (a copy that ran the check) found.
    void takeAnswer(const UpdateChecker& other) {
        latestVersion_ = other.latestVersion_;
        updateUrl_ = other.updateUrl_;
    }

    static constexpr char16_t kUserAgent[] = u"WebUpdateChecker";
    static constexpr char16_t kRequestHeader[] = u"Content-type: text/plain";
    static constexpr std::size_t kPieceSize = 256;
    static constexpr std::size_t kMaxBody = 0x100000;

    // True when the service answered well; then latestVersion and updateUrl hold
    // its answer. Any failure (no connection, an oversized or malformed answer,
    // a page that is not an http or https address) gives false.
    bool check();
    // From another thread (the dialog's Cancel): the check fails as soon as the
    // call under way returns, without reading or deciding anything more.
    void cancel();

    WideString requestUrl() const;
    std::uint32_t currentVersion() const { return currentVersion_; }
    std::uint32_t latestVersion() const { return latestVersion_; }
    const WideString& updateUrl() const { return updateUrl_; }

private:
    std::optional<Bytes> fetchBody();

    HttpClient& http_;
    Environment& system_;
    std::uint32_t currentVersion_;
    WideString baseUrl_;
    WideString source_;
    std::uint32_t latestVersion_ = 0;
    WideString updateUrl_;
    std::mutex sessionLock_;  // guards session_ and cancelled_ between the two threads
    HttpSession* session_ = nullptr;
    bool cancelled_ = false;
};

// The address begins with "http://" or "https://", in any letter case: the only
// pages the program opens for the service.
bool isWebAddress(const WideString& url);

}  // namespace quillmont
