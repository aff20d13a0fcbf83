#include <gtest/gtest.h>

#include <limits>

#include "core/text/number_parsing.h"

using quillmont::parseLeadingInteger;

TEST(ParseLeadingInteger, ReadsLikeTheCLibrary) {
    EXPECT_EQ(parseLeadingInteger(u"07"), 7);
    EXPECT_EQ(parseLeadingInteger(u" \t\r\n\v\f5"), 5);
    EXPECT_EQ(parseLeadingInteger(u"+12abc"), 12);
    EXPECT_EQ(parseLeadingInteger(u"-1"), -1);
    EXPECT_EQ(parseLeadingInteger(u"abc"), 0);
    EXPECT_EQ(parseLeadingInteger(u""), 0);
    EXPECT_EQ(parseLeadingInteger(u"- 5"), 0);
    EXPECT_EQ(parseLeadingInteger(u"\u00a05"), 0);  // no-break space is not C white space
    EXPECT_EQ(parseLeadingInteger(u"\uff15"), 0);   // fullwidth digit is not a digit
}

TEST(ParseLeadingInteger, HugeNumbersSaturate) {
    EXPECT_EQ(parseLeadingInteger(u"99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(parseLeadingInteger(u"-99999999999999999999999"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(parseLeadingInteger(u"4294967297"), 4294967297LL);
    EXPECT_EQ(parseLeadingInteger(u"9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(parseLeadingInteger(u"9223372036854775808"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(parseLeadingInteger(u"18446744073709551626"), std::numeric_limits<std::int64_t>::max());
}
