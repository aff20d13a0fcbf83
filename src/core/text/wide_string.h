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

}  // namespace quillmont
