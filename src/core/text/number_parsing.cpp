#include "core/text/number_parsing.h"

#include <limits>

namespace quillmont {

std::int64_t parseLeadingInteger(const WideString& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (magnitude > kLimit) continue;  // saturated: the remaining digits change nothing
        const auto digit = static_cast<std::uint64_t>(text[i] - u'0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit + 1 : magnitude * 10 + digit;
    }
    if (negative) return magnitude > kLimit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
    return magnitude > kLimit ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
}

}  // namespace quillmont
