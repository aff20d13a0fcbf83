#include "core/app/command_line.h"

#include <algorithm>

namespace quillmont {

namespace {
constexpr char16_t kQuote = u'"';

bool isSeparator(char16_t c) { return c >= 0x0001 && c <= 0x0020; }
bool endsUnquotedToken(char16_t c) { return c <= 0x0020; }
}  // namespace

bool tokenizeCommandLine(const WideString& text, TokenList& tokens) {
    tokens.clear();
    const std::size_t end = std::min(text.find(u'\0'), text.size());
    std::size_t pos = 0;
    while (pos < end) {
        if (isSeparator(text[pos])) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        if (text[pos] == kQuote) {
            const std::size_t close = text.find(kQuote, pos + 1);
            if (close == WideString::npos || close >= end) {
                tokens.clear();
                return false;
            }
            pos = close + 1;  // the next character starts a new token, separator or not
        } else {
            while (pos < end && !endsUnquotedToken(text[pos])) ++pos;
        }
        tokens.push_back(text.substr(start, pos - start));
    }
    return true;
}

WideString joinTokens(const TokenList& tokens, std::size_t first) {
    WideString joined;
    for (std::size_t i = first; i < tokens.size(); ++i) {
        if (i > first) joined.push_back(u' ');
        joined += tokens[i];
    }
    return joined;
}

}  // namespace quillmont
