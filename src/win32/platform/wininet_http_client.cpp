#include "win32/platform/wininet_http_client.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "win32/platform/unique_internet.h"
#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

namespace {

// Set by a session's cancel(), from any thread; read by the owner of the
// handles before and after each of its calls.
using CancelFlag = std::shared_ptr<std::atomic<bool>>;

// Every handle gets the time-outs: Wine's WinINet takes them from the connection
// and the request, not from the session alone.
void setTimeouts(HINTERNET handle) {
    DWORD timeout = WininetHttpClient::kTimeoutMilliseconds;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(handle, option, &timeout, sizeof(timeout));
}

// The parts of an http or https URL that a connection and a request need.
struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = 0;
    bool secure = false;
    std::wstring object;  // path and query
};

std::optional<UrlParts> crackUrl(const std::wstring& url) {
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1;  // non-zero: point into the URL
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    UrlParts result;
    result.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    result.port = parts.nPort;
    result.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    result.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo != nullptr) result.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (result.object.empty()) result.object = L"/";
    return result;
}

// A request owns its connection too: both close when the body goes, request first.
class WininetBody final : public HttpBody {
public:
    WininetBody(UniqueInternet connection, UniqueInternet request, CancelFlag cancelled)
        : connection_(std::move(connection)), request_(std::move(request)), cancelled_(std::move(cancelled)) {}
    std::optional<std::size_t> read(std::span<std::uint8_t> buffer) override {
        if (*cancelled_) return std::nullopt;
        DWORD got = 0;
        if (!InternetReadFile(request_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got) || *cancelled_)
            return std::nullopt;
        return got;
    }

private:
    UniqueInternet connection_;
    UniqueInternet request_;  // after the connection, so that it closes first
    CancelFlag cancelled_;
};

// What InternetOpenUrlW does, in its steps: connect, open the request, send it.
// Under Wine InternetOpenUrlW waits for a silent server whatever time-outs the
// session has; a connection and a request given their own time-outs do not.
class WininetSession final : public HttpSession {
public:
    explicit WininetSession(UniqueInternet internet) : internet_(std::move(internet)) {}
    std::unique_ptr<HttpBody> get(const WideString& url, const WideString& headers) override {
        const std::optional<UrlParts> parts = crackUrl(toWide(url));
        if (!parts || *cancelled_) return nullptr;
        UniqueInternet connection(InternetConnectW(internet_.get(), parts->host.c_str(), parts->port, nullptr, nullptr,
                                                   INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection.valid()) return nullptr;
        setTimeouts(connection.get());
        const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                            INTERNET_FLAG_PRAGMA_NOCACHE | (parts->secure ? INTERNET_FLAG_SECURE : 0);
        UniqueInternet request(HttpOpenRequestW(connection.get(), L"GET", parts->object.c_str(), nullptr, nullptr,
                                                nullptr, flags, 0));
        if (!request.valid() || *cancelled_) return nullptr;
        setTimeouts(request.get());
        std::wstring extra = toWide(headers);
        if (!HttpSendRequestW(request.get(), extra.c_str(), static_cast<DWORD>(extra.size()), nullptr, 0) ||
            *cancelled_)
            return nullptr;
        return std::make_unique<WininetBody>(std::move(connection), std::move(request), cancelled_);
    }

    // Only a signal: closing a handle here, under the call that uses it on the
    // worker's thread, would leave its owner a value that WinINet may already
    // have given to another handle. The call under way ends by itself (the
    // time-outs bound it) and then fails, as does every later one, at once.
    void cancel() override { *cancelled_ = true; }

private:
    UniqueInternet internet_;
    CancelFlag cancelled_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace

std::unique_ptr<HttpSession> WininetHttpClient::openSession(const WideString& userAgent) {
    UniqueInternet internet(InternetOpenW(toWide(userAgent).c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet.valid()) return nullptr;
    // Without these a server that accepts the connection and never answers
    // holds the request, and the dialog waiting for it, for a very long time.
    setTimeouts(internet.get());
    return std::make_unique<WininetSession>(std::move(internet));
}

}  // namespace quillmont::win32
