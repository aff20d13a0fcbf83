#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "base/wide_string.h"

namespace quillmont {

// The body of an HTTP answer, read in pieces; closing it ends the request.
class HttpBody {
public:
    virtual ~HttpBody() = default;
    // The next piece, at most `buffer.size()` bytes: its length, 0 at the end of
    // the body, nothing on a read error.
    virtual std::optional<std::size_t> read(std::span<std::uint8_t> buffer) = 0;
};

// One user agent's connection to the web, with the system's proxy settings.
class HttpSession {
public:
    virtual ~HttpSession() = default;
    // GETs the URL with the extra request header lines ("Name: value", CR LF
    // between lines). The answer is fetched from the server every time and never
    // cached, no user interface is shown, and a server that stays silent for
    // 15 seconds (connecting, sending or receiving) ends the request as a
    // failure. Whatever the HTTP status, the body is what the server sent;
    // nothing when the URL cannot be opened.
    virtual std::unique_ptr<HttpBody> get(const WideString& url, const WideString& headers) = 0;
    // May be called from another thread at any time, also after the requests
    // have ended: the call under way (connecting, sending or reading) fails once
    // it returns, and every later one at once. The session and its bodies stay
    // their owner's to close.
    virtual void cancel() {}
};

// Reaches web servers over HTTP and HTTPS.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Nothing when the system cannot give one.
    virtual std::unique_ptr<HttpSession> openSession(const WideString& userAgent) = 0;
};

}  // namespace quillmont
