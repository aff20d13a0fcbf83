#include "core/text/ascii_case.h"

namespace quillmont {

WideString lowerAscii(WideString text) {
    for (char16_t& c : text) c = asciiLower(c);
    return text;
}

bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

bool startsWithLowerAscii(std::u16string_view text, std::u16string_view lowerPrefix) {
    return text.size() >= lowerPrefix.size() && equalsIgnoringAsciiCase(text.substr(0, lowerPrefix.size()), lowerPrefix);
}

bool endsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && equalsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace quillmont
