// Random patterns of the dialect against the recursive reference matcher: same
// result, same capture positions, in both case modes. Texts this short rarely
// make PatternMatcher switch on its memory of failed states, so runners tuned to
// switch it on early are checked as well (all reused across texts and patterns).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/scan/pattern/pattern_compiler.h"
#include "core/scan/pattern/pattern_matcher.h"
#include "core/scan/pattern/pattern_parser.h"
#include "core/scan/pattern/pattern_runner.h"
#include "reference_matcher.h"

using namespace quillmont;

namespace {

class PatternGenerator {
public:
    explicit PatternGenerator(unsigned seed) : random_(seed) {}

    WideString pattern() {
        WideString out;
        if (chance(15)) out += u'^';
        sequence(out, 0);
        if (chance(15)) out += u'$';
        if (chance(5)) out.insert(pick(out.size() + 1), 1, u")]}*+?|!$^\\"[pick(11)]);
        return out;
    }

    WideString text() {
        static constexpr char16_t kUnits[] = u"aaabbbcAB12\"'-";
        WideString out;
        for (std::size_t n = pick(9); n > 0; --n) out += kUnits[pick(sizeof kUnits / sizeof kUnits[0] - 1)];
        return out;
    }

private:
    bool chance(unsigned percent) { return pick(100) < percent; }
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    void sequence(WideString& out, int depth) {
        for (std::size_t n = pick(depth == 0 ? 5 : 4); n > 0; --n) unit(out, depth);
    }

    void unit(WideString& out, int depth) {
        argument(out, depth);
        if (chance(35)) {
            out += u"*+?"[pick(3)];
            if (chance(30)) out += u'?';
        }
        if (chance(15)) {
            out += u'|';
            unit(out, depth);
        }
    }

    void argument(WideString& out, int depth) {
        const std::size_t kind = depth >= 3 ? pick(5) : pick(12);
        switch (kind) {
            case 0: case 1: out += u"abcAB1"[pick(6)]; break;
            case 2: out += u'.'; break;
            case 3: out += u'\\'; out += u"dcwazqDn."[pick(9)]; break;
            case 4: klass(out); break;
            case 5: case 6: out += u'('; sequence(out, depth + 1); out += u')'; break;
            case 7: case 8: out += u'{'; sequence(out, depth + 1); out += u'}'; break;
            case 9: out += u'!'; argument(out, depth + 1); break;
            default: out += u'\\'; out += u"01"[pick(2)]; break;
        }
    }

    void klass(WideString& out) {
        out += u'[';
        if (chance(30)) out += u'^';
        for (std::size_t n = 1 + pick(3); n > 0; --n) {
            switch (pick(5)) {
                case 0: out += u"a-b"; break;
                case 1: out += u"A-c"; break;
                case 2: out += u"\\]"; break;
                case 3: out += u'-'; break;
                default: out += u"abc12\""[pick(6)]; break;
            }
        }
        out += u']';
    }

    std::mt19937 random_;
};

std::string narrow(const WideString& text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

void expectSame(const MatchContext& expected, bool found, const MatchContext& actual, const std::string& label) {
    ASSERT_EQ(actual.match.start, expected.match.start) << label;
    ASSERT_EQ(actual.match.end, expected.match.end) << label;
    if (!found) return;
    ASSERT_EQ(actual.groups.size(), expected.groups.size()) << label;
    for (std::size_t g = 0; g < expected.groups.size(); ++g) {
        ASSERT_EQ(actual.groups[g].start, expected.groups[g].start) << label << " group " << g;
        ASSERT_EQ(actual.groups[g].end, expected.groups[g].end) << label << " group " << g;
    }
}

TEST(PatternDifferential, RandomPatternsMatchLikeTheReference) {
    PatternGenerator generator(20240611);
    // Remembering from the first step (dense table, hash set), and from a point
    // in the middle of the search.
    PatternRunner runners[3];
    const char* const runnerNames[3] = {" (dense)", " (hash set)", " (memory from mid-search)"};
    runners[0].setPlainSteps(0);
    runners[1].setPlainSteps(0);
    runners[1].setDenseLimit(0);
    runners[2].setPlainSteps(1);
    std::size_t compared = 0, matched = 0;
    for (int round = 0; round < 5000; ++round) {
        const WideString pattern = generator.pattern();
        std::vector<WideString> texts;
        for (int t = 0; t < 6; ++t) texts.push_back(generator.text());
        for (const bool caseSensitive : {true, false}) {
            PatternMatcher matcher;
            quillmont::testing::ReferenceMatcher reference;
            const PatternError error = matcher.parse(pattern, caseSensitive);
            ASSERT_EQ(reference.parse(pattern, caseSensitive), error) << narrow(pattern);
            if (error != PatternError::None) continue;
            PatternTree tree;
            PatternProgram program;
            ASSERT_EQ(parsePattern(pattern, caseSensitive, tree), PatternError::None);
            ASSERT_TRUE(compilePattern(tree, program));
            for (const WideString& text : texts) {
                const std::string label = narrow(pattern) + (caseSensitive ? "" : " (folded)") + " on " + narrow(text);
                MatchContext expected, actual;
                const bool found = reference.match(text, expected);
                ASSERT_FALSE(reference.gaveUp()) << label;
                ASSERT_EQ(matcher.match(text, actual), found) << label;
                expectSame(expected, found, actual, label);

                WideString folded = text;
                if (!caseSensitive)
                    for (char16_t& c : folded) c = asciiLower(c);
                for (int r = 0; r < 3; ++r) {
                    PatternRunner* const runner = &runners[r];
                    const std::string which = label + runnerNames[r];
                    ASSERT_EQ(runner->search(program, folded), found) << which;
                    if (!found) continue;
                    EXPECT_EQ(runner->matchStart(), expected.match.start) << which;
                    EXPECT_EQ(runner->matchEnd(), expected.match.end) << which;
                    for (std::size_t g = 0; g < expected.groups.size(); ++g) {
                        EXPECT_EQ(runner->slots()[2 * g], expected.groups[g].start) << which;
                        EXPECT_EQ(runner->slots()[2 * g + 1], expected.groups[g].end) << which;
                    }
                }
                ++compared;
                matched += found ? 1 : 0;
            }
        }
    }
    // The generator must keep producing usable patterns and both outcomes.
    EXPECT_GT(compared, 20'000u);
    EXPECT_GT(matched, compared / 5);
    EXPECT_LT(matched, compared - compared / 5);
}

}  // namespace
