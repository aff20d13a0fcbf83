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

WideString formatValues(const WideString& format, const std::vector<WideString>& values) {
    WideString result;
    auto next = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            if (format[i + 1] == u'%') {
                result += u'%';
                ++i;
                continue;
            }
            if (format[i + 1] == u's' && next != values.end()) {
                result += *next++;
                ++i;
                continue;
            }
        }
        result += format[i];
    }
    return result;
}

WideString fillSystemInserts(const WideString& message, const WideString& value) {
    auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    WideString result;
    std::size_t i = 0;
    while (i < message.size()) {
        if (message[i] != u'%' || i + 1 >= message.size() || !isDigit(message[i + 1]) || message[i + 1] == u'0') {
            result += message[i++];
            continue;
        }
        i += 2;
        if (i < message.size() && isDigit(message[i])) ++i;
        if (i < message.size() && message[i] == u'!') {
            const std::size_t close = message.find(u'!', i + 1);
            if (close != WideString::npos) i = close + 1;
        }
        result += value;
    }
    return result;
}

WideString groupedDecimalText(std::uint64_t number) {
    const WideString digits = decimalText(number);
    WideString grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(u',');
        grouped.push_back(digits[i]);
    }
    return grouped;
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
