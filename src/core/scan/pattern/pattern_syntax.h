#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace quillmont {

enum class PatternNodeKind {
    Empty,              // matches the empty text
    Character,          // one given unit
    Any,                // any one unit, line breaks included
    Class,              // one unit in (or, negated, not in) the ranges
    EndOfText,
    Sequence,           // children one after another
    Alternation,        // two children, the first tried first
    Repeat,             // one child
    Group,              // one child, no capture
    Capture,            // one child, captured as group `number`
    NegativeLookahead,  // one child that must not match here
    BackReference,      // the text group `number` holds at that moment
};

enum class RepeatKind { Star, Plus, Question };

// Inclusive; low <= high.
struct ClassRange {
    char16_t low;
    char16_t high;
};

struct PatternNode {
    PatternNodeKind kind = PatternNodeKind::Empty;
    char16_t character = 0;
    std::vector<ClassRange> ranges;
    bool negated = false;
    RepeatKind repeat = RepeatKind::Star;
    bool greedy = true;
    std::size_t number = 0;
    std::vector<std::unique_ptr<PatternNode>> children;
    // Whether some way through the node consumes nothing; a star or plus on such
    // a node is refused, which is what keeps every repetition making progress.
    bool canMatchEmpty = true;
};

using PatternNodePtr = std::unique_ptr<PatternNode>;

struct PatternTree {
    PatternNodePtr root;
    bool anchored = false;  // leading "^": only position 0 is tried
    bool caseSensitive = true;
    std::size_t captureCount = 0;
    bool hasBackReferences = false;
};

}  // namespace quillmont
