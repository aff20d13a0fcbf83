// Any pattern either fails to parse and then matches nothing, or compiles; and
// every way of running it agrees: the matcher as the program uses it, runners
// that remember failed states from the first step (dense table, hash set), and
// the plain backtracking search (bounded in steps: it may take exponential time). Input: the pattern
// as UTF-16LE units up to the first zero unit, then the text.
#include <algorithm>
#include <cstdlib>

#include "core/scan/pattern/pattern_compiler.h"
#include "core/scan/pattern/pattern_matcher.h"
#include "core/scan/pattern/pattern_parser.h"
#include "core/scan/pattern/pattern_runner.h"
#include "fuzz_input.h"

using namespace quillmont;

namespace {

// Long patterns (up to a million units: nesting from hostile files) are parsed and
// matched as the program does on a short text; the comparisons below take patterns
// small enough that the runners' memory (pattern times text) stays bounded.
constexpr std::size_t kMaxPattern = 1'000'000;
constexpr std::size_t kComparedPattern = 256;
constexpr std::size_t kMaxText = 4096;
constexpr std::size_t kLongPatternText = 64;
constexpr std::uint64_t kPlainSteps = 200'000;

void check(bool condition) {
    if (!condition) std::abort();
}

void checkSpan(std::size_t start, std::size_t end, std::size_t length, bool anchored) {
    check(start <= end && end <= length);
    check(start < length || start == 0);
    check(!anchored || start == 0);
}

bool sameAs(const PatternRunner& runner, const MatchContext& context) {
    if (runner.matchStart() != context.match.start || runner.matchEnd() != context.match.end) return false;
    for (std::size_t g = 0; g < context.groups.size(); ++g)
        if (runner.slots()[2 * g] != context.groups[g].start || runner.slots()[2 * g + 1] != context.groups[g].end)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzInput input(data, size);
    const WideString all = input.take(kMaxPattern + 1 + kMaxText);
    const std::size_t zero = all.find(u'\0');
    const WideString pattern = all.substr(0, std::min(zero, kMaxPattern));
    const bool compared = pattern.size() <= kComparedPattern;
    const WideString text =
        zero == WideString::npos ? WideString() : all.substr(zero + 1, compared ? kMaxText : kLongPatternText);

    for (const bool caseSensitive : {true, false}) {
        PatternMatcher matcher;
        const PatternError error = matcher.parse(pattern, caseSensitive);
        check(error >= PatternError::None && error <= PatternError::TooDeep && error != PatternError::NoPattern);
        MatchContext context;
        if (error != PatternError::None) {
            check(!matcher.match(text, context) && matcher.dump().empty());
            continue;
        }
        check(!matcher.dump().empty());
        if (!compared) {
            matcher.match(text, context);
            continue;
        }

        PatternTree tree;
        PatternProgram program;
        check(parsePattern(pattern, caseSensitive, tree) == PatternError::None);
        check(compilePattern(tree, program));
        WideString folded = text;
        if (!caseSensitive)
            for (char16_t& c : folded) c = asciiLower(c);

        PatternRunner plain;
        plain.setRememberFailures(false);
        plain.setStepLimit(kPlainSteps);
        const bool plainFound = plain.search(program, folded);
        const bool plainFinished = !plain.stepLimitReached();
        if (plainFound) checkSpan(plain.matchStart(), plain.matchEnd(), text.size(), tree.anchored);
        // With back-references the matcher itself is the plain search, unbounded.
        if (tree.hasBackReferences) continue;

        const bool found = matcher.match(text, context);
        check(context.groups.size() == (found ? tree.captureCount : 0));
        if (found) {
            checkSpan(context.match.start, context.match.end, text.size(), tree.anchored);
            for (const MatchSpan& group : context.groups) {
                if (group.start == MatchContext::kUnset) {
                    check(group.end == MatchContext::kUnset);
                    continue;
                }
                check(context.match.start <= group.start && group.start <= group.end &&
                      group.end <= context.match.end);
            }
        }
        if (plainFinished) check(plainFound == found && (!found || sameAs(plain, context)));

        for (const bool dense : {true, false}) {
            PatternRunner remembering;
            remembering.setPlainSteps(0);
            if (!dense) remembering.setDenseLimit(0);
            check(remembering.search(program, folded) == found && (!found || sameAs(remembering, context)));
        }

        // The kept buffers must not leak anything into the next search.
        MatchContext again;
        check(matcher.match(text, again) == found);
        check(again.match.start == context.match.start && again.match.end == context.match.end);
    }
    return 0;
}
