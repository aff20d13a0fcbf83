#pragma once

#include <cstddef>
#include <string_view>

#include "core/scan/pattern/pattern_syntax.h"
#include "core/text/ascii_case.h"

namespace quillmont {

// The values are the codes callers have always seen; do not renumber.
enum class PatternError {
    None = 0,
    OutOfMemory = 1,
    MissingBrace = 2,             // a "}" is missing
    MissingParenthesis = 3,       // a ")" is missing
    MissingBracket = 4,           // a "]" is missing, or a range ends at "]" or at the end
    BadAbbreviation = 5,
    EmptyClass = 6,
    UnknownGroup = 7,             // back-reference to a group not opened before it
    ReversedRange = 8,
    EmptyRepetition = 9,          // "*" or "+" on something that can match nothing
    NoPattern = 10,
    TooDeep = 11,                 // nested deeper than kMaxPatternNesting
};

// How deep parentheses, braces, "!" and "|" may nest. The parser, the compiler and
// the tree's destructor take a step of recursion per level, so this bounds the
// stack a pattern can take; real patterns nest a handful of levels.
inline constexpr std::size_t kMaxPatternNesting = 100;

// Parses the pattern into `tree`; when not case-sensitive, the pattern is folded
// with asciiLower first, as the matcher folds the text. On an error `tree` is
// left empty. Throws std::bad_alloc when memory runs out.
PatternError parsePattern(std::u16string_view pattern, bool caseSensitive, PatternTree& tree);

}  // namespace quillmont
