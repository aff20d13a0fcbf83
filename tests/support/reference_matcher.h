#pragma once

#include "base/wide_string.h"
#include "core/scan/pattern/pattern_matcher.h"
#include "core/scan/pattern/pattern_syntax.h"

namespace quillmont::testing {

// A second matcher for the same syntax trees, written the obvious way: recursion
// with continuations, no memory of failures, no program. What it finds is what
// PatternMatcher must find. Its calls nest with the pattern and the text; where
// they would nest too deep for the stack it gives up (gaveUp), with no match.
class ReferenceMatcher {
public:
    PatternError parse(const WideString& pattern, bool caseSensitive);
    bool match(const WideString& text, MatchContext& context);
    bool gaveUp() const { return gaveUp_; }

private:
    PatternTree tree_;
    bool ready_ = false;
    bool gaveUp_ = false;
};

}  // namespace quillmont::testing
