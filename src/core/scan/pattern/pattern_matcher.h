#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/wide_string.h"
#include "core/scan/pattern/pattern_parser.h"
#include "core/scan/pattern/pattern_program.h"
#include "core/scan/pattern/pattern_runner.h"

namespace quillmont {

struct MatchSpan {
    std::size_t start;
    std::size_t end;
};

// Where the last successful match lies, as positions in the caller's text.
struct MatchContext {
    static constexpr std::size_t kUnset = PatternRunner::kUnset;

    MatchSpan match{kUnset, kUnset};
    std::vector<MatchSpan> groups;  // capture groups by number; both ends kUnset if unset
};

// A pattern of the program's own dialect, compiled once and matched against
// many texts. One thread at a time; no exception leaves it.
class PatternMatcher {
public:
    // Steps one search with back-references may take (see PatternRunner::
    // setStepLimit). Such a search has no memory of failures, so a crafted pattern
    // could take exponential time; this bound stops it within milliseconds and
    // counts it as no match. Real patterns on real texts take a few thousand.
    // Without back-references the memory of failures bounds every search already.
    static constexpr std::uint64_t kStepBudget = 2'000'000;

    // Compiles the pattern, replacing the previous program. A null pattern is
    // NoPattern; on any error the matcher matches nothing until the next parse.
    PatternError parse(const char16_t* pattern, bool caseSensitive);
    PatternError parse(const WideString& pattern, bool caseSensitive);

    // Searches the text (null-terminated for the pointer form). False for a null
    // text or context and when the last parse failed; the context is reset
    // whenever it is given.
    bool match(const char16_t* text, MatchContext* context);
    bool match(const WideString& text, MatchContext& context);

    // The compiled program as text (for tests); empty when there is none.
    std::string dump() const;

private:
    PatternError compile(std::u16string_view pattern, bool caseSensitive);
    bool search(std::u16string_view text, MatchContext& context);

    PatternProgram program_;
    bool ready_ = false;
    bool caseSensitive_ = true;
    PatternRunner runner_;
    WideString folded_;  // the case-insensitive mode's copy of the text, reused
};

}  // namespace quillmont
