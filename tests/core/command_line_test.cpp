#include <gtest/gtest.h>

#include "core/app/command_line.h"
#include "core/app/program_entry.h"

using namespace quillmont;

namespace {

TokenList tokenize(const WideString& text) {
    TokenList tokens;
    EXPECT_TRUE(tokenizeCommandLine(text, tokens));
    return tokens;
}

LaunchRequest requestOf(const WideString& text) {
    CommandLineIntent intent = interpretTokens(tokenize(text));
    EXPECT_TRUE(std::holds_alternative<LaunchRequest>(intent));
    return std::holds_alternative<LaunchRequest>(intent) ? std::get<LaunchRequest>(intent) : LaunchRequest{};
}

}  // namespace

TEST(Tokenizer, QuotedTokensKeepTheirQuotesAndRunsOfSpacesSeparate) {
    EXPECT_EQ(tokenize(u"\"C:\\My Games\\app.jar\" -opt    \"two words\""),
              (TokenList{u"\"C:\\My Games\\app.jar\"", u"-opt", u"\"two words\""}));
}

TEST(Tokenizer, TextRightAfterAClosingQuoteStartsANewToken) {
    EXPECT_EQ(tokenize(u"\"a b\"cd\"e f\""), (TokenList{u"\"a b\"", u"cd\"e", u"f\""}));
}

TEST(Tokenizer, QuoteInsideAnUnquotedTokenIsOrdinary) {
    EXPECT_EQ(tokenize(u"ab\"cd ef"), (TokenList{u"ab\"cd", u"ef"}));
}

TEST(Tokenizer, ControlCharactersSeparateButStayInsideQuotes) {
    EXPECT_EQ(tokenize(u"a\tb\r\nc\x01" u"d\x1f" u"e"), (TokenList{u"a", u"b", u"c", u"d", u"e"}));
    EXPECT_EQ(tokenize(u"\"a\tb\nc\""), (TokenList{u"\"a\tb\nc\""}));
}

TEST(Tokenizer, EmptyAndBlankTextsGiveNoToken) {
    EXPECT_TRUE(tokenize(u"").empty());
    EXPECT_TRUE(tokenize(u"  \t ").empty());
}

TEST(Tokenizer, EmptyQuotesAreOneToken) { EXPECT_EQ(tokenize(u"\"\""), (TokenList{u"\"\""})); }

TEST(Tokenizer, UnterminatedQuoteFailsAndLeavesNoTokens) {
    TokenList tokens{u"stale"};
    EXPECT_FALSE(tokenizeCommandLine(u"app.jar \"C:\\no end", tokens));
    EXPECT_TRUE(tokens.empty());
    EXPECT_FALSE(tokenizeCommandLine(u"\"", tokens));
}

TEST(Tokenizer, NulEndsTheTextAsInTheSystemsString) {
    EXPECT_EQ(tokenize(WideString(u"a b\0c d", 7)), (TokenList{u"a", u"b"}));
    TokenList tokens;
    // The closing quote lies beyond the end of the string, so the quote is open.
    EXPECT_FALSE(tokenizeCommandLine(WideString(u"\"a\0\"", 4), tokens));
}

TEST(JoinTokens, JoinsFromTheIndexWithSingleSpaces) {
    const TokenList tokens{u"a", u"\"b c\"", u"d"};
    EXPECT_EQ(joinTokens(tokens, 0), u"a \"b c\" d");
    EXPECT_EQ(joinTokens(tokens, 2), u"d");
    EXPECT_EQ(joinTokens(tokens, 3), u"");
    EXPECT_EQ(joinTokens(tokens, 7), u"");
}

TEST(CommandLineIntent, NoTokenAsksForAFile) {
    EXPECT_TRUE(std::holds_alternative<ChooseFileToOpen>(interpretTokens({})));
}

TEST(CommandLineIntent, SetupAloneOpensTheSetupDialog) {
    EXPECT_TRUE(std::holds_alternative<OpenSetupDialog>(interpretTokens({u"/setup"})));
}

TEST(CommandLineIntent, OneFileTokenMayUseTheDefaultAction) {
    const LaunchRequest request = requestOf(u"\"C:\\a b\\app.jar\"");
    EXPECT_EQ(request.filePath, u"\"C:\\a b\\app.jar\"");
    EXPECT_TRUE(request.allowDefaultAction);
    EXPECT_EQ(request.externalArguments, u"");
}

TEST(CommandLineIntent, FileWithArgumentsJoinsThemWithSingleSpaces) {
    const LaunchRequest request = requestOf(u"\"C:\\My Games\\app.jar\" -opt    \"two words\"");
    EXPECT_EQ(request.filePath, u"\"C:\\My Games\\app.jar\"");
    EXPECT_TRUE(request.allowDefaultAction);
    EXPECT_EQ(request.externalArguments, u"-opt \"two words\"");
}

TEST(CommandLineIntent, SelectAlwaysAsksAndPassesTheRest) {
    LaunchRequest request = requestOf(u"/select \"C:\\a.jad\"");
    EXPECT_EQ(request.filePath, u"\"C:\\a.jad\"");
    EXPECT_FALSE(request.allowDefaultAction);
    EXPECT_EQ(request.externalArguments, u"");

    request = requestOf(u"/select C:\\a.jar -x   -y");
    EXPECT_EQ(request.filePath, u"C:\\a.jar");
    EXPECT_EQ(request.externalArguments, u"-x -y");
}

TEST(CommandLineIntent, SwitchesInOtherPositionsOrCaseAreFileNames) {
    LaunchRequest request = requestOf(u"/select");
    EXPECT_EQ(request.filePath, u"/select");
    EXPECT_TRUE(request.allowDefaultAction);

    request = requestOf(u"/setup now");
    EXPECT_EQ(request.filePath, u"/setup");
    EXPECT_EQ(request.externalArguments, u"now");

    EXPECT_EQ(requestOf(u"/SETUP").filePath, u"/SETUP");
    request = requestOf(u"/Select a.jar");
    EXPECT_EQ(request.filePath, u"/Select");
    EXPECT_TRUE(request.allowDefaultAction);
}
