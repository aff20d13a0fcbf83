#pragma once

#include <vector>

#include "base/wide_string.h"

namespace quillmont::testing {

// Template expansions that both the native tests and the tests through the real
// CreateProcessW check. `expected` is the command line after the quoted
// executable and its following space (which may itself be taken back).
struct TemplateCase {
    const char* claim;
    WideString argumentTemplate;
    std::vector<WideString> parameters;  // unquoted; the flow quotes them
    WideString externalArguments;
    WideString expected;
};

inline const std::vector<TemplateCase>& templateCases() {
    static const std::vector<TemplateCase> cases = {
        {"JarTemplateWithoutExternalArgumentsLeavesNoTrailingSpace", u"-jar %1 %*", {u"C:\\apps\\game.jar"}, u"",
         u" -jar \"C:\\apps\\game.jar\""},
        {"ExternalArgumentsFollowAfterOneSpace", u"-jar %1 %*", {u"C:\\apps\\game.jar"}, u"-Xmx64m",
         u" -jar \"C:\\apps\\game.jar\" -Xmx64m"},
        {"QuotedPlaceholderIsNotQuotedTwice", u"-jar \"%1\" %*", {u"C:\\my apps\\game.jar"}, u"",
         u" -jar \"C:\\my apps\\game.jar\""},
        {"DescriptorOptionIsFollowedAtOnceByTheQuotedPath", u"-Xdescriptor:%1", {u"C:\\m\\a.jad", u"C:\\m\\a.jar"},
         u"", u" -Xdescriptor:\"C:\\m\\a.jad\""},
        {"EmptyTemplateGivesTheExecutableAndOneSpace", u"", {u"C:\\a.jar"}, u"", u" "},
        {"EmptyStarAloneTakesBackTheSpaceAfterTheExecutable", u"%*", {u"C:\\a.jar"}, u"", u""},
        {"PercentBeforeZeroLetterOrPercentStaysLiteral", u"%0 %a %% 100%", {u"C:\\a.jar"}, u"",
         u" %0 %a %% 100%"},
        {"MissingParameterVanishesWithoutTouchingSpaces", u"-cp %2 -jar %1", {u"C:\\a.jar"}, u"",
         u" -cp  -jar \"C:\\a.jar\""},
        {"J2meTemplateUsesBothParameters", u"-Xdescriptor:%1 -jar %2 %*", {u"C:\\m\\a.jad", u"C:\\m\\a.jar"},
         u"-Xdevice:Phone", u" -Xdescriptor:\"C:\\m\\a.jad\" -jar \"C:\\m\\a.jar\" -Xdevice:Phone"},
        {"ParametersAboveTheCountProduceNothing", u"%9%3x", {u"C:\\a.jar"}, u"", u" x"},
        {"QuotedExternalArgumentsAfterAQuoteDoNotDoubleIt", u"\"%*\"", {}, u"\"two words\"",
         u" \"two words\""},
        {"NonAsciiPathsPassUnchanged", u"-jar %1", {u"C:\\Spiele\\\u00e9t\u00e9 \u65e5\u672c.jar"}, u"",
         u" -jar \"C:\\Spiele\\\u00e9t\u00e9 \u65e5\u672c.jar\""},
    };
    return cases;
}

}  // namespace quillmont::testing
