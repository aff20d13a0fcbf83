#include "win32/platform/wininet_http_client.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <optional>
#include <string>
#include <utility>

#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

namespace {

// Closes an internet handle (a session or a request) when it goes.
// Not a UniqueOwner: cancel() closes the session's handle from another thread, so it is atomic.
class UniqueInternet {
public:
    explicit UniqueInternet(HINTERNET handle) : handle_(handle) {}
    UniqueInternet(UniqueInternet&& other) noexcept : handle_(other.handle_.exchange(nullptr)) {}
    UniqueInternet(const UniqueInternet&) = delete;
    UniqueInternet& operator=(const UniqueInternet&) = delete;
    UniqueInternet& operator=(UniqueInternet&&) = delete;
    ~UniqueInternet() { close(); }
    HINTERNET get() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }
    // Closes the handle now, from any thread, once.
    void close() {
        if (HINTERNET handle = handle_.exchange(nullptr)) InternetCloseHandle(handle);
    }

private:
    std::atomic<HINTERNET> handle_;
};


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
    WininetBody(UniqueInternet connection, UniqueInternet request)
        : connection_(std::move(connection)), request_(std::move(request)) {}
    std::optional<std::size_t> read(std::span<std::uint8_t> buffer) override {
        DWORD got = 0;
        if (!InternetReadFile(request_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got))
            return std::nullopt;
        return got;
    }

private:
    UniqueInternet connection_;
    UniqueInternet request_;
};

// What InternetOpenUrlW does, in its steps: connect, open the request, send it.
// Under Wine InternetOpenUrlW waits for a silent server whatever time-outs the
// session has; a connection and a request given their own time-outs do not.
class WininetSession final : public HttpSession {
public:
    explicit WininetSession(UniqueInternet internet) : internet_(std::move(internet)) {}
    std::unique_ptr<HttpBody> get(const WideString& url, const WideString& headers) override {
        const std::optional<UrlParts> parts = crackUrl(toWide(url));
        if (!parts) return nullptr;
        UniqueInternet connection(InternetConnectW(internet_.get(), parts->host.c_str(), parts->port, nullptr, nullptr,
                                                   INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection.valid()) return nullptr;
        setTimeouts(connection.get());
        const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                            INTERNET_FLAG_PRAGMA_NOCACHE | (parts->secure ? INTERNET_FLAG_SECURE : 0);
        UniqueInternet request(HttpOpenRequestW(connection.get(), L"GET", parts->object.c_str(), nullptr, nullptr,
                                                nullptr, flags, 0));
        if (!request.valid()) return nullptr;
        setTimeouts(request.get());
        active_ = request.get();
        if (cancelled_) return nullptr;
        std::wstring extra = toWide(headers);
        if (!HttpSendRequestW(request.get(), extra.c_str(), static_cast<DWORD>(extra.size()), nullptr, 0))
            return nullptr;
        return std::make_unique<WininetBody>(std::move(connection), std::move(request));
    }

    // Closing the session's handle ends a blocking call on any handle below it
    // (connecting, sending, reading) as a failure; later calls fail at once.
    void cancel() override {
        cancelled_ = true;
        // The request under way first: WinINet takes a closed handle in any later
        // call, its owner's included, as one it does not know.
        if (HINTERNET request = active_.exchange(nullptr)) InternetCloseHandle(request);
        internet_.close();
    }

private:
    UniqueInternet internet_;
    std::atomic<HINTERNET> active_{nullptr};
    std::atomic<bool> cancelled_{false};
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
