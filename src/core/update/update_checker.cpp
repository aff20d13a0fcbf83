#include "core/update/update_checker.h"

#include <array>

#include "core/text/message_format.h"
#include "core/text/ascii_case.h"
#include "core/update/update_response.h"

namespace quillmont {

bool isWebAddress(const WideString& url) {
    return startsWithLowerAscii(url, u"http://") || startsWithLowerAscii(url, u"https://");
}

WideString UpdateChecker::requestUrl() const {
    const std::uint32_t v = currentVersion_;
    return baseUrl_ + u"?version=" + decimalText(v >> 24) + u"." + decimalText((v >> 16) & 0xFF) + u"." +
           decimalText((v >> 8) & 0xFF) + u"." + decimalText(v & 0xFF) + u"&source=" + source_;
}

std::optional<Bytes> UpdateChecker::fetchBody() {
    std::unique_ptr<HttpSession> session = http_.openSession(kUserAgent);
    if (!session) return std::nullopt;
    {
        const std::lock_guard<std::mutex> lock(sessionLock_);
        if (cancelled_) return std::nullopt;
        session_ = session.get();
    }
    // The session is known to cancel() only while it lives.
    struct Forget {
        UpdateChecker& checker;
        ~Forget() {
            const std::lock_guard<std::mutex> lock(checker.sessionLock_);
            checker.session_ = nullptr;
        }
    } forget{*this};
    std::unique_ptr<HttpBody> answer = session->get(requestUrl(), kRequestHeader);
    if (!answer) return std::nullopt;
    Bytes body;
    std::array<std::uint8_t, kPieceSize> piece{};
    while (true) {
        const std::optional<std::size_t> got = answer->read(piece);
        if (!got) return std::nullopt;
        if (*got == 0) break;
        body.insert(body.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(*got));
        // An answer that is not ours, or far too long, is not read to its end.
        if (body[0] != '*' || body.size() > kMaxBody) return std::nullopt;
    }
    if (body.empty()) return std::nullopt;
    return body;
}

void UpdateChecker::cancel() {
    const std::lock_guard<std::mutex> lock(sessionLock_);
    cancelled_ = true;
    if (session_ != nullptr) session_->cancel();
}

bool UpdateChecker::check() {
    latestVersion_ = 0;
    updateUrl_.clear();
    const std::optional<Bytes> body = fetchBody();
    if (!body) return false;
    const std::optional<UpdateRecords> records = decodeUpdateBody(*body);
    if (!records) return false;
    WideString url = system_.fromAnsiCodePage(records->updateUrl);
    // Anyone on the path of a plain HTTP answer could name a program or a file:
    // only a web page is ever opened.
    if (!isWebAddress(url)) return false;
    latestVersion_ = records->latestVersion;
    updateUrl_ = std::move(url);
    return true;
}

}  // namespace quillmont
