#pragma once

#include <memory>

#include "platform/http_client.h"

namespace quillmont::testing {

// The HTTP port: WinINet under Wine against the loopback service that the test
// run starts (tests/update/update_server.py), the fake natively with the same
// answers in its table.
class HttpHarness {
public:
    virtual ~HttpHarness() = default;
    virtual HttpClient& client() = 0;
    // The URL of one of the service's answers ("latest", "error500", "oversize", "echo").
    virtual WideString url(const char* answer) = 0;
    // Whether the requests reach a real server, which can echo what it got.
    virtual bool echoes() = 0;
};

std::unique_ptr<HttpHarness> makeHttpHarness();

}  // namespace quillmont::testing
