#pragma once

#include <cstddef>
#include <vector>

#include "base/wide_string.h"

namespace quillmont {

using TokenList = std::vector<WideString>;

// Splits the argument text into tokens. Characters U+0001..U+0020 separate tokens;
// a token that starts with a double quote runs to the next double quote and keeps
// both quotes (there is no escape). A U+0000 ends the text, as it does for the
// C string the system hands us. Returns false for an unterminated quote.
bool tokenizeCommandLine(const WideString& text, TokenList& tokens);

// The tokens from `first` on, unchanged, separated by single spaces.
WideString joinTokens(const TokenList& tokens, std::size_t first);

}  // namespace quillmont
