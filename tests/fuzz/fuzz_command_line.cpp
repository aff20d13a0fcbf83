// Tokenizing any argument text either fails on an open quote or gives tokens that
// obey the grammar, and interpreting them never fails.
#include <cstdlib>

#include "core/app/command_line.h"
#include "core/app/program_entry.h"
#include "fuzz_input.h"

using namespace quillmont;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzInput input(data, size);
    const WideString text = input.take(1 << 16);
    TokenList tokens;
    const bool ok = tokenizeCommandLine(text, tokens);
    if (!ok && !tokens.empty()) std::abort();
    std::size_t units = 0;
    for (const WideString& token : tokens) {
        if (token.empty()) std::abort();
        if (token.front() == u'"') {
            // A quoted token is exactly two quotes around quote-free text.
            if (token.size() < 2 || token.back() != u'"') std::abort();
            if (token.find(u'"', 1) != token.size() - 1) std::abort();
        } else {
            for (char16_t c : token)
                if (c <= 0x20) std::abort();
        }
        units += token.size();
    }
    if (units > text.size()) std::abort();
    const WideString joined = joinTokens(tokens, 0);
    if (!tokens.empty() && joined.size() != units + tokens.size() - 1) std::abort();
    (void)interpretTokens(tokens);
    return 0;
}
