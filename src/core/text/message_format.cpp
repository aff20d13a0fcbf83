#include "core/text/message_format.h"

namespace quillmont {

namespace {

WideString replaceFirst(const WideString& text, const WideString& placeholder, const WideString& value) {
    const std::size_t at = text.find(placeholder);
    if (at == WideString::npos) return text;
    WideString result = text;
    result.replace(at, placeholder.size(), value);
    return result;
}

}  // namespace

WideString decimalText(std::uint64_t number) {
    WideString digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number != 0);
    return digits;
}

WideString formatText(const WideString& format, const WideString& value) {
    return replaceFirst(format, u"%s", value);
}

WideString formatNumbers(const WideString& format, std::uint32_t first, std::uint32_t second) {
    // The first number goes in before the second is looked for, so digits can
    // never be mistaken for a placeholder.
    const std::size_t at = format.find(u"%u");
    if (at == WideString::npos) return format;
    const WideString head = format.substr(0, at) + decimalText(first);
    return head + replaceFirst(format.substr(at + 2), u"%u", decimalText(second));
}

}  // namespace quillmont
