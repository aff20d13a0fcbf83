#pragma once

#include "base/wide_string.h"
#include "core/scan/pattern/pattern_matcher.h"
#include "core/scan/pattern/pattern_syntax.h"

namespace quillmont::testing {

// A second matcher for the same syntax trees, written the obvious way: recursion
// with continuations, no memory of failures, no program. What it finds is what
// PatternMatcher must find. Deep or long inputs can overflow its call stack.
class ReferenceMatcher {
public:
    PatternError parse(const WideString& pattern, bool caseSensitive);
    bool match(const WideString& text, MatchContext& context);

private:
    PatternTree tree_;
    bool ready_ = false;
};

}  // namespace quillmont::testing
