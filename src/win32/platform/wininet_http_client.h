#pragma once

#include "platform/http_client.h"

namespace quillmont::win32 {

// The HTTP port over WinINet: InternetOpenW with the system's proxy settings; a
// connection and a GET request that always goes to the server, never writes the
// cache and shows no user interface (what InternetOpenUrlW does, in its steps, so
// that the time-outs hold under Wine too); InternetReadFile for the body. Every
// handle has one owner, the only code that closes it, on every path.
class WininetHttpClient final : public HttpClient {
public:
    // How long the server may stay silent while connecting, sending or receiving.
    static constexpr unsigned long kTimeoutMilliseconds = 15000;

    std::unique_ptr<HttpSession> openSession(const WideString& userAgent) override;
};

}  // namespace quillmont::win32
