#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/scan/pattern/pattern_matcher.h"

using namespace quillmont;

namespace {

constexpr std::size_t kUnset = MatchContext::kUnset;
constexpr std::size_t kNo = kUnset;  // expected start of a text that must not match

// Runs `work` on a thread with 256 KiB of stack, less than any thread of the program has.
void runOnSmallStack(const std::function<void()>& work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    const auto call = +[](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, call, const_cast<std::function<void()>*>(&work)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

std::string show(const char16_t* text) {
    std::string out;
    for (; *text != 0; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

struct ErrorCase {
    const char16_t* pattern;
    PatternError expected;
    bool caseSensitive = true;
};

// Each case: the code, and that a failed pattern then matches nothing (not even
// the empty text, which the empty pattern would match).
TEST(PatternMatcher, ParseReportsTheFirstErrorAndThenMatchesNothing) {
    const ErrorCase cases[] = {
        {u"{a", PatternError::MissingBrace},
        {u"{a)", PatternError::MissingBrace},
        {u"({a)}", PatternError::MissingBrace},
        {u"(a", PatternError::MissingParenthesis},
        {u"(a}", PatternError::MissingParenthesis},
        {u"[", PatternError::MissingBracket},
        {u"[ab", PatternError::MissingBracket},
        {u"[a-]", PatternError::MissingBracket},
        {u"[a-", PatternError::MissingBracket},
        {u"[a\\", PatternError::MissingBracket},
        {u"[a-\\", PatternError::MissingBracket},
        {u"([a", PatternError::MissingBracket},
        {u"[]", PatternError::EmptyClass},
        {u"[^]", PatternError::EmptyClass},
        {u"\\3", PatternError::UnknownGroup},
        {u"{a}\\1", PatternError::UnknownGroup},
        {u"\\0{a}", PatternError::UnknownGroup},
        {u"{a}\\99999999999999999999999", PatternError::UnknownGroup},
        {u"[z-a]", PatternError::ReversedRange},
        {u"[Z-a]", PatternError::ReversedRange, false},  // folded before parsing: [z-a]
        {u"(a*)*", PatternError::EmptyRepetition},
        {u"(a|)*", PatternError::EmptyRepetition},
        {u"(a*b?)+?", PatternError::EmptyRepetition},
        {u"!a*", PatternError::EmptyRepetition},
        {u"{a}\\0+", PatternError::EmptyRepetition},
        {u"a|*", PatternError::None},      // "*" at the start of an argument is literal
        {u"a**+", PatternError::None},
        {u"(a*b)+", PatternError::None},
        {u"[Z-a]", PatternError::None},
        {u"{\\0}", PatternError::None},    // the enclosing group is already open
        {u"a)b(", PatternError::None},     // the rest after ")" is ignored
    };
    for (const ErrorCase& c : cases) {
        PatternMatcher matcher;
        EXPECT_EQ(matcher.parse(c.pattern, c.caseSensitive), c.expected) << show(c.pattern);
        MatchContext context;
        if (c.expected != PatternError::None) {
            EXPECT_FALSE(matcher.match(u"", &context)) << show(c.pattern);
        }
    }
    PatternMatcher matcher;
    ASSERT_EQ(matcher.parse(u"a", true), PatternError::None);
    EXPECT_EQ(matcher.parse(static_cast<const char16_t*>(nullptr), true), PatternError::NoPattern);
    MatchContext context;
    EXPECT_FALSE(matcher.match(u"a", &context));
}

struct MatchCase {
    const char16_t* pattern;
    const char16_t* text;
    std::size_t start;  // kNo: no match
    std::size_t end = 0;
    std::vector<std::pair<std::size_t, std::size_t>> groups = {};
    bool caseSensitive = true;
};

void expectMatches(const std::vector<MatchCase>& cases) {
    for (const MatchCase& c : cases) {
        PatternMatcher matcher;
        ASSERT_EQ(matcher.parse(c.pattern, c.caseSensitive), PatternError::None) << show(c.pattern);
        MatchContext context;
        const std::string label = show(c.pattern) + " on " + show(c.text);
        ASSERT_EQ(matcher.match(c.text, &context), c.start != kNo) << label;
        if (c.start == kNo) continue;
        EXPECT_EQ(context.match.start, c.start) << label;
        EXPECT_EQ(context.match.end, c.end) << label;
        ASSERT_EQ(context.groups.size(), c.groups.size()) << label;
        for (std::size_t g = 0; g < c.groups.size(); ++g) {
            EXPECT_EQ(context.groups[g].start, c.groups[g].first) << label << " group " << g;
            EXPECT_EQ(context.groups[g].end, c.groups[g].second) << label << " group " << g;
        }
    }
}

TEST(PatternMatcher, SyntaxOfTheDialect) {
    expectMatches({
        {u"T|the", u"The", 0, 3},
        {u"T|the", u"the", 0, 3},
        {u"abc|def", u"abcef", 0, 5},
        {u"abc|def", u"abdef", 0, 5},
        {u"abc|def", u"abc", kNo},
        {u"a|b|c", u"xc", 1, 2},
        {u"a|", u"b", 0, 0},                 // a or nothing
        {u"a**", u"aa*", 0, 3},              // a*, then a literal star
        {u"a**+", u"xa***", 1, 5},
        {u"*a", u"x*a", 1, 3},
        {u"|a", u"a|a", 1, 3},
        {u"a*??", u"aa?", 0, 3},             // lazy a*, then a literal "?"
        {u"a^b", u"a^b", 0, 3},
        {u"a$b", u"a$b", 0, 3},
        {u"\\$", u"a$", 1, 2},
        {u"a\\", u"a\\", 0, 2},              // a lone trailing backslash is itself
        {u"\\t\\.", u"xt.", 1, 3},
        {u"a)b", u"xa", 1, 2},
        {u"a]b(", u"ba", 1, 2},
        {u"[-a]+", u"x-a-", 1, 4},
        {u"[a-c-e]+", u"b-e", 0, 3},
        {u"[\\]]", u"a]", 1, 2},
        {u"[\\t]", u"t\t", 1, 2},
        {u"[^a]", u"ab", 1, 2},
        {u"[^a]", u"", kNo},
        {u".", u"\n", 0, 1},
        {u"[ab\\-]+\\d", u"-ba-1", 0, 5},
    });
}

TEST(PatternMatcher, StartPositionsAndAnchors) {
    expectMatches({
        {u"c$", u"abc", 2, 3},
        {u"x*$", u"abc", kNo},   // the end of the text is never a start position
        {u"x*$", u"", 0, 0},
        {u"$", u"a", kNo},
        {u"!.", u"a", kNo},
        {u"!.", u"", 0, 0},
        {u"", u"abc", 0, 0},
        {u"", u"", 0, 0},
        {u"^", u"", 0, 0},
        {u"^b", u"ab", kNo},
        {u"^a", u"ab", 0, 1},
        {u"^$", u"a", kNo},
        {u"b", u"abcb", 1, 2},
        {u"B+", u"aBbB", 1, 4, {}, false},   // positions in the caller's text
        {u"\\D", u"D7", 0, 1},                // not an abbreviation in upper case...
        {u"\\D", u"D7", 1, 2, {}, false},     // ...unless the pattern is folded
    });
}

TEST(PatternMatcher, RepetitionAlternationAndCapturePriorities) {
    expectMatches({
        {u"{a*}", u"aaa", 0, 3, {{0, 3}}},
        {u"{a*?}", u"aaa", 0, 0, {{0, 0}}},
        {u"{a+?}a", u"aaa", 0, 2, {{0, 1}}},
        {u"{a??}a", u"aa", 0, 1, {{0, 0}}},
        {u"{a|ab}", u"ab", 0, 2, {{0, 2}}},                  // {(a|a)b}
        {u"{(a)|(ab)}", u"ab", 0, 1, {{0, 1}}},
        {u"{(a)|(ab)}c", u"abc", 0, 3, {{0, 2}}},
        {u"{a}*b", u"aab", 0, 3, {{1, 2}}},                   // the last turn counts
        {u"({a}b)|(ac)", u"ac", 0, 2, {{kUnset, kUnset}}},    // undone on backtracking
        {u"{x}?{y}", u"y", 0, 1, {{kUnset, kUnset}, {0, 1}}},
        {u"{{a}b}{c}", u"abc", 0, 3, {{0, 2}, {0, 1}, {2, 3}}},
    });
}

TEST(PatternMatcher, LookAheadAndBackReferences) {
    expectMatches({
        {u"a!b", u"abac", 2, 3},
        {u"a!", u"ab", kNo},                      // nothing always matches
        {u"!{b}.", u"ab", 0, 1, {{kUnset, kUnset}}},
        {u"(!(ab)a)+", u"aaab", 0, 2},
        {u"!!a.", u"ba", 1, 2},
        {u"{a|b}\\0", u"xbb", 1, 3, {{1, 2}}},
        {u"{\\0a}", u"a", 0, 1, {{0, 1}}},        // an open group holds nothing yet
        {u"({x\\0}y)+", u"xyxy", 0, 4, {{2, 3}}}, // end before start: nothing
        {u"{a}\\0", u"aA", kNo},
        {u"{a}\\0", u"aA", 0, 2, {{0, 1}}, false},
        {u"{.}{.}\\1\\0", u"xyyx", 0, 4, {{0, 1}, {1, 2}}},
        {u"{.}!\\0", u"aab", 1, 2, {{1, 2}}},
    });
}

TEST(PatternMatcher, AbbreviationsStandAsOneArgument) {
    expectMatches({
        {u"\\q", u"say \"hi\" now", 4, 8},
        {u"\\q", u"x 'y' z", 2, 5},
        {u"\\q", u"\"open", kNo},
        {u"\\q+", u"'a'\"b\"", 0, 6},  // the quantifier covers both alternatives
        {u"^\\n$", u"\r", 0, 1},
        {u"^\\n$", u"\n", 0, 1},
        {u"^\\n$", u"\r\n", 0, 2},
        {u"^\\n$", u"\n\r", kNo},
        {u"\\a+", u"_aZ9_", 1, 4},
        {u"\\b+", u"x \t y", 1, 4},
        {u"\\c+", u"1aZ2", 1, 3},
        {u"\\h+", u"zzBEEF0", 2, 7},
        {u"\\w\\z", u"ab12c", 0, 4},
        {u"x\\w*?y", u"xaby", 0, 4},
    });
}

TEST(PatternMatcher, TheProgramsPatterns) {
    const char16_t* version = u"^\\d+\\.\\d+\\.[0-9_\\.]+$";
    std::vector<MatchCase> cases;
    for (const char16_t* good : {u"1.6.0_45", u"1.5.0", u"1.4.2_19", u"11.0.2", u"1.8.0_202"})
        cases.push_back({version, good, 0, std::u16string_view(good).size()});
    for (const char16_t* bad : {u"1.6", u"1.6.0-b12", u"v1.6.0", u"17", u"1.6.0 ", u"", u"1..0"})
        cases.push_back({version, bad, kNo});
    const char16_t* arguments = u"-Xdescriptor:%1 -Xdevice:DefaultColorPhone -Xheapsize:1M";
    cases.insert(cases.end(), {
        {u".*-Xdevice:.*", arguments, 0, 56},
        {u".*-Xdevice:.*", u"-Xdevice:", 0, 9},
        {u".*-Xdevice:.*", u"-Xdescriptor:%1", kNo},
        {u".*-Xdevice:.*", u"-xdevice:Phone", kNo},
        {u".*-Xdevice:Phone.*", u"-Xdevice:Phone", 0, 14},
        {u".*-Xdevice:Phone.*", u"a -Xdevice:PhoneX b", 0, 19},
        {u".*-Xdevice:Phone.*", arguments, kNo},
        {u".*-Xdevice:DefaultColorPhone.*", arguments, 0, 56},
        {u".*-Xdevice:a.b.*", u"-Xdevice:a.b", 0, 12},
        {u".*-Xdevice:a.b.*", u"-Xdevice:aXb", 0, 12},   // the dot is the dialect's
        {u".*-Xdevice:x)y.*", u"-Xdevice:xz", 0, 10},    // compiles as .*-Xdevice:x
    });
    expectMatches(cases);

    PatternMatcher matcher;
    EXPECT_EQ(matcher.parse(u".*-Xdevice:x(y.*", true), PatternError::MissingParenthesis);
    EXPECT_EQ(matcher.parse(u".*-Xdevice:x{y.*", true), PatternError::MissingBrace);
}

TEST(PatternMatcher, DumpsTheCompiledProgram) {
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"^\\d+\\.\\d+\\.[0-9_\\.]+$",
         "; 0 groups, anchored\n0 class [0-9]\n1 split 0 2\n2 char .\n3 class [0-9]\n4 split 3 5\n"
         "5 char .\n6 class [0-9_.]\n7 split 6 8\n8 end\n9 match\n"},
        {u"{a|b}*?!c",
         "; 1 groups\n0 split 8 1\n1 save 0\n2 split 3 5\n3 char a\n4 jmp 6\n5 char b\n6 save 1\n"
         "7 jmp 0\n8 notahead 11\n9 char c\n10 aheadend\n11 match\n"},
        {u"{[^\\t\"]}\\0?", "; 1 groups\n0 save 0\n1 class [^\\u0009\"]\n2 save 1\n3 split 4 5\n4 backref 0\n5 match\n"},
    };
    for (const auto& [pattern, listing] : cases) {
        PatternMatcher matcher;
        ASSERT_EQ(matcher.parse(pattern, true), PatternError::None);
        EXPECT_EQ(matcher.dump(), listing) << show(pattern);
    }
    PatternMatcher failed;
    failed.parse(u"(", true);
    EXPECT_EQ(failed.dump(), "");
}

TEST(PatternMatcher, MissingTextOrContextIsNoMatch) {
    PatternMatcher matcher;
    ASSERT_EQ(matcher.parse(WideString(u""), true), PatternError::None);
    MatchContext context;
    EXPECT_FALSE(matcher.match(nullptr, &context));
    EXPECT_FALSE(matcher.match(u"", nullptr));
    EXPECT_TRUE(matcher.match(WideString(u"a\0b", 3), context));
    // The string form keeps embedded zeros as text; the pointer form stops at one.
    ASSERT_EQ(matcher.parse(WideString(u"b$"), true), PatternError::None);
    EXPECT_TRUE(matcher.match(WideString(u"a\0b", 3), context));
    EXPECT_FALSE(matcher.match(u"a\0b", &context));
}

// A million units run on the explicit stack, where a recursive matcher would
// overflow the call stack; with and without back-references.
TEST(PatternMatcher, LongTextsNeedNoCallStack) {
    WideString text(1'000'000, u'a');
    text[0] = u'b';
    text.back() = u'b';
    PatternMatcher matcher;
    MatchContext context;
    ASSERT_EQ(matcher.parse(u"{(a|b)*}b$", true), PatternError::None);
    ASSERT_TRUE(matcher.match(text, context));
    EXPECT_EQ(context.groups[0].end, text.size() - 1);
    ASSERT_EQ(matcher.parse(u"{b}(a|b)*\\0$", true), PatternError::None);
    ASSERT_TRUE(matcher.match(text, context));
    EXPECT_EQ(context.match.end, text.size());
    ASSERT_EQ(matcher.parse(u".*!.x", true), PatternError::None);
    EXPECT_FALSE(matcher.match(text, context));
}

TEST(PatternMatcher, AmbiguousRepetitionFinishes) {
    PatternMatcher matcher;
    ASSERT_EQ(matcher.parse(u"(a|a)*b", true), PatternError::None);
    MatchContext context;
    EXPECT_FALSE(matcher.match(WideString(10'000, u'a'), context));
    EXPECT_TRUE(matcher.match(WideString(10'000, u'a') + u"b", context));
}

}  // namespace

// A device name from an SDK's files goes into a pattern as it is: no nesting, of
// any kind and any length, may take more stack than a small thread has, and a
// pattern that is too deep matches nothing. A crafted back-reference search ends
// within its step budget, as no match.
TEST(PatternMatcher, HostilePatternsFitASmallStackAndEndInTime) {
    constexpr std::size_t n = 1'000'000;
    WideString alternatives;
    for (std::size_t i = 0; i < n / 2; ++i) alternatives += u"a|";
    const std::vector<WideString> patterns = {WideString(n, u'('), WideString(n, u'{'), WideString(n, u'!'),
                                              alternatives, WideString(n / 2, u'(') + WideString(n / 2, u')'),
                                              WideString(n / 2, u'{') + u"a" + WideString(n / 2, u'}')};
    std::vector<PatternError> errors;
    runOnSmallStack([&] {
        for (const WideString& pattern : patterns) {
            PatternMatcher matcher;
            errors.push_back(matcher.parse(pattern, true));
            MatchContext context;
            EXPECT_FALSE(matcher.match(u"aaa", context));
        }
    });
    EXPECT_EQ(errors, std::vector<PatternError>(patterns.size(), PatternError::TooDeep));

    PatternMatcher crafted;
    ASSERT_EQ(crafted.parse(u"({a|a})*\\0b", true), PatternError::None);
    MatchContext context;
    EXPECT_FALSE(crafted.match(WideString(60, u'a'), context));
}
