#include "core/scan/pattern/pattern_matcher.h"

#include <new>

#include "core/scan/pattern/pattern_compiler.h"
#include "core/text/ascii_case.h"

namespace quillmont {

PatternError PatternMatcher::parse(const char16_t* pattern, bool caseSensitive) {
    if (pattern == nullptr) {
        ready_ = false;
        return PatternError::NoPattern;
    }
    return compile(std::u16string_view(pattern), caseSensitive);
}

PatternError PatternMatcher::parse(const WideString& pattern, bool caseSensitive) {
    return compile(std::u16string_view(pattern), caseSensitive);
}

PatternError PatternMatcher::compile(std::u16string_view pattern, bool caseSensitive) {
    ready_ = false;
    caseSensitive_ = caseSensitive;
    try {
        PatternTree tree;
        const PatternError error = parsePattern(pattern, caseSensitive, tree);
        if (error != PatternError::None) return error;
        if (!compilePattern(tree, program_)) return PatternError::OutOfMemory;
        runner_.setStepLimit(tree.hasBackReferences ? kStepBudget : 0);
    } catch (const std::bad_alloc&) {
        return PatternError::OutOfMemory;
    }
    ready_ = true;
    return PatternError::None;
}

bool PatternMatcher::match(const char16_t* text, MatchContext* context) {
    if (context == nullptr) return false;
    if (text == nullptr) {
        *context = {};
        return false;
    }
    return search(std::u16string_view(text), *context);
}

bool PatternMatcher::match(const WideString& text, MatchContext& context) {
    return search(std::u16string_view(text), context);
}

bool PatternMatcher::search(std::u16string_view text, MatchContext& context) {
    try {
        context.match = {MatchContext::kUnset, MatchContext::kUnset};
        context.groups.clear();
        if (!ready_) return false;
        if (!caseSensitive_) {
            // Same length, so positions in the copy are positions in the caller's text.
            folded_.assign(text);
            for (char16_t& c : folded_) c = asciiLower(c);
            text = folded_;
        }
        if (!runner_.search(program_, text)) return false;
        context.match = {runner_.matchStart(), runner_.matchEnd()};
        const std::vector<std::size_t>& slots = runner_.slots();
        context.groups.resize(program_.groupCount);
        for (std::size_t g = 0; g < program_.groupCount; ++g) context.groups[g] = {slots[2 * g], slots[2 * g + 1]};
        return true;
    } catch (const std::bad_alloc&) {
        context.match = {MatchContext::kUnset, MatchContext::kUnset};
        context.groups.clear();
        return false;
    }
}

std::string PatternMatcher::dump() const {
    if (!ready_) return {};
    try {
        return dumpProgram(program_);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace quillmont
