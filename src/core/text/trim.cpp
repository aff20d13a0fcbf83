#include "core/text/trim.h"

namespace quillmont {

bool isWideSpace(char16_t c) {
    if (c == u' ' || (c >= u'\t' && c <= u'\r')) return true;
    switch (c) {
        case 0x0085: case 0x1680: case 0x2028: case 0x2029: case 0x205F: case 0x3000:
            return true;
        default:
            // U+2000..U+200A without the figure space U+2007, which does not break.
            return c >= 0x2000 && c <= 0x200A && c != 0x2007;
    }
}

WideString trimmed(const WideString& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isWideSpace(text[begin])) ++begin;
    while (end > begin && isWideSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

WideString unquoted(const WideString& text) {
    const WideString value = trimmed(text);
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') return trimmed(value.substr(1, value.size() - 2));
    return value;
}

}  // namespace quillmont
