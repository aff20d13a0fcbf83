#include "core/update/update_response.h"

namespace quillmont {

namespace {

// The value of a Base64 data character, -1 for anything else ("=" included).
int base64Value(std::uint8_t c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

constexpr std::uint8_t kRecordVersion = 1;
constexpr std::uint8_t kRecordUrl = 3;
constexpr std::size_t kRecordHeader = 5;  // type and length

}  // namespace

std::optional<Bytes> decodeBase64Groups(std::span<const std::uint8_t> text) {
    if (text.size() % 4 != 0) return std::nullopt;
    Bytes out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t at = 0; at < text.size(); at += 4) {
        const int a = base64Value(text[at]);
        const int b = base64Value(text[at + 1]);
        if (a < 0 || b < 0) return std::nullopt;  // "=" or junk in the first two places
        const bool thirdPad = text[at + 2] == '=';
        const bool fourthPad = text[at + 3] == '=';
        const int c = thirdPad ? 0 : base64Value(text[at + 2]);
        const int d = fourthPad ? 0 : base64Value(text[at + 3]);
        if (c < 0 || d < 0) return std::nullopt;
        if (thirdPad && !fourthPad) return std::nullopt;  // "=" then a data character
        const std::uint32_t group = (a << 18) | (b << 12) | (c << 6) | d;
        out.push_back(static_cast<std::uint8_t>(group >> 16));
        if (!thirdPad) out.push_back(static_cast<std::uint8_t>(group >> 8));
        if (!fourthPad) out.push_back(static_cast<std::uint8_t>(group));
    }
    return out;
}

std::optional<UpdateRecords> readUpdateRecords(std::span<const std::uint8_t> payload) {
    UpdateRecords records;
    bool haveVersion = false;
    bool haveUrl = false;
    std::size_t at = 0;
    while (at < payload.size()) {
        if (payload.size() - at < kRecordHeader) return std::nullopt;
        const std::uint8_t type = payload[at];
        const std::uint32_t raw = payload[at + 1] | (payload[at + 2] << 8) | (payload[at + 3] << 16) |
                                  (static_cast<std::uint32_t>(payload[at + 4]) << 24);
        if (raw > 0x7FFFFFFFu) return std::nullopt;  // a negative length
        const std::size_t length = raw;
        at += kRecordHeader;
        if (payload.size() - at < length) return std::nullopt;
        const std::span<const std::uint8_t> value = payload.subspan(at, length);
        if (type == kRecordVersion) {
            if (haveVersion || length != 4) return std::nullopt;
            records.latestVersion = value[0] | (value[1] << 8) | (value[2] << 16) |
                                    (static_cast<std::uint32_t>(value[3]) << 24);
            haveVersion = true;
        } else if (type == kRecordUrl) {
            if (haveUrl) return std::nullopt;
            records.updateUrl.assign(value.begin(), value.end());
            haveUrl = true;
        }
        at += length;
    }
    if (!haveVersion || !haveUrl) return std::nullopt;
    return records;
}

std::optional<UpdateRecords> decodeUpdateBody(std::span<const std::uint8_t> body) {
    if (body.empty() || body[0] != '*') return std::nullopt;
    const std::optional<Bytes> payload = decodeBase64Groups(body.subspan(1));
    if (!payload || payload->empty()) return std::nullopt;
    return readUpdateRecords(*payload);
}

}  // namespace quillmont
