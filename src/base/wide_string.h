#pragma once

#include <string>

namespace quillmont {

// Every name, path, template and message is UTF-16, whatever the platform's wchar_t.
using WideString = std::u16string;

// Turns an ASCII literal into a WideString; only for the program's fixed texts.
inline WideString ascii(const char* text) {
    WideString result;
    for (; *text != '\0'; ++text) result.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
    return result;
}

// The text in double quotes.
inline WideString quoted(const WideString& text) {
    WideString result;
    result.reserve(text.size() + 2);
    result.push_back(u'"');
    result.append(text);
    result.push_back(u'"');
    return result;
}

}  // namespace quillmont
