#include "core/scan/pattern/pattern_parser.h"

#include <string>
#include <utility>

namespace quillmont {
namespace {

// Each entry is the letter and its expansion, written in the dialect itself.
constexpr std::u16string_view kAbbreviations[] = {
    u"a([a-zA-Z0-9])",
    u"b([ \\t])",
    u"c([a-zA-Z])",
    u"d([0-9])",
    u"h([0-9a-fA-F])",
    u"n(\r|(\r?\n))",
    u"q(\"[^\"]*\")|('[^']*')",
    u"w([a-zA-Z]+)",
    u"z([0-9]+)",
};

std::u16string_view abbreviationFor(char16_t letter) {
    for (std::u16string_view entry : kAbbreviations)
        if (entry.front() == letter) return entry.substr(1);
    return {};
}

bool isClosing(char16_t c) { return c == u')' || c == u']' || c == u'}'; }

PatternNodePtr makeNode(PatternNodeKind kind, bool canMatchEmpty) {
    auto node = std::make_unique<PatternNode>();
    node->kind = kind;
    node->canMatchEmpty = canMatchEmpty;
    return node;
}

PatternNodePtr makeWrapper(PatternNodeKind kind, PatternNodePtr child) {
    const bool empty = kind == PatternNodeKind::NegativeLookahead || child->canMatchEmpty;
    auto node = makeNode(kind, empty);
    node->children.push_back(std::move(child));
    return node;
}

class Parser {
public:
    explicit Parser(std::u16string_view text) : text_(text) {}

    PatternError parse(PatternTree& tree) {
        if (!text_.empty() && text_.front() == u'^') {
            tree.anchored = true;
            position_ = 1;
        }
        PatternNodePtr root = parseSequence(Level::Top);
        if (!root) return error_;
        tree.root = std::move(root);
        tree.captureCount = captureCount_;
        tree.hasBackReferences = hasBackReferences_;
        return PatternError::None;
    }

private:
    enum class Level { Top, Group, Capture };

    bool atEnd() const { return position_ >= text_.size(); }
    char16_t peek() const { return text_[position_]; }

    std::nullptr_t fail(PatternError error) {
        if (error_ == PatternError::None) error_ = error;
        return nullptr;
    }

    // Counts one level of nesting for as long as it lives; the parse fails once
    // the levels pass kMaxPatternNesting.
    class Nesting {
    public:
        explicit Nesting(Parser& parser) : parser_(parser) { ++parser_.depth_; }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
        bool tooDeep() const { return parser_.depth_ > kMaxPatternNesting; }

    private:
        Parser& parser_;
    };

    // Units up to the end or the closing character of `level`, which is consumed.
    PatternNodePtr parseSequence(Level level) {
        const Nesting nesting(*this);
        if (nesting.tooDeep()) return fail(PatternError::TooDeep);
        std::vector<PatternNodePtr> parts;
        for (;;) {
            if (atEnd()) {
                if (level == Level::Group) return fail(PatternError::MissingParenthesis);
                if (level == Level::Capture) return fail(PatternError::MissingBrace);
                break;
            }
            const char16_t c = peek();
            if (isClosing(c)) {
                // At the top an unmatched closing character ends the pattern.
                if (level == Level::Top) break;
                const char16_t wanted = level == Level::Group ? u')' : u'}';
                if (c != wanted)
                    return fail(level == Level::Group ? PatternError::MissingParenthesis : PatternError::MissingBrace);
                ++position_;
                break;
            }
            PatternNodePtr unit = parseUnit();
            if (!unit) return nullptr;
            parts.push_back(std::move(unit));
        }
        if (parts.empty()) return makeNode(PatternNodeKind::Empty, true);
        if (parts.size() == 1) return std::move(parts.front());
        bool empty = true;
        for (const PatternNodePtr& part : parts) empty = empty && part->canMatchEmpty;
        auto sequence = makeNode(PatternNodeKind::Sequence, empty);
        sequence->children = std::move(parts);
        return sequence;
    }

    // The bar joins two single quantified arguments, to the right: a|b|c is a|(b|c).
    PatternNodePtr parseUnit() {
        PatternNodePtr left = parseQuantified();
        if (!left || atEnd() || peek() != u'|') return left;
        ++position_;
        const Nesting nesting(*this);
        if (nesting.tooDeep()) return fail(PatternError::TooDeep);
        PatternNodePtr right = parseUnit();
        if (!right) return nullptr;
        auto alternation = makeNode(PatternNodeKind::Alternation, left->canMatchEmpty || right->canMatchEmpty);
        alternation->children.push_back(std::move(left));
        alternation->children.push_back(std::move(right));
        return alternation;
    }

    PatternNodePtr parseQuantified() {
        PatternNodePtr argument = parseArgument();
        if (!argument || atEnd()) return argument;
        RepeatKind repeat;
        switch (peek()) {
            case u'*': repeat = RepeatKind::Star; break;
            case u'+': repeat = RepeatKind::Plus; break;
            case u'?': repeat = RepeatKind::Question; break;
            default: return argument;
        }
        ++position_;
        bool greedy = true;
        if (!atEnd() && peek() == u'?') {
            greedy = false;
            ++position_;
        }
        if (repeat != RepeatKind::Question && argument->canMatchEmpty) return fail(PatternError::EmptyRepetition);
        const bool empty = repeat != RepeatKind::Plus;
        auto node = makeNode(PatternNodeKind::Repeat, empty);
        node->repeat = repeat;
        node->greedy = greedy;
        node->children.push_back(std::move(argument));
        return node;
    }

    PatternNodePtr parseArgument() {
        // Nothing before a closing character or the end: the empty argument.
        if (atEnd() || isClosing(peek())) return makeNode(PatternNodeKind::Empty, true);
        const char16_t c = text_[position_++];
        switch (c) {
            case u'.':
                return makeNode(PatternNodeKind::Any, false);
            case u'[':
                return parseClass();
            case u'(': {
                PatternNodePtr body = parseSequence(Level::Group);
                return body ? makeWrapper(PatternNodeKind::Group, std::move(body)) : nullptr;
            }
            case u'{': {
                const std::size_t index = captureCount_++;
                PatternNodePtr body = parseSequence(Level::Capture);
                if (!body) return nullptr;
                auto capture = makeWrapper(PatternNodeKind::Capture, std::move(body));
                capture->number = index;
                return capture;
            }
            case u'!': {
                const Nesting nesting(*this);
                if (nesting.tooDeep()) return fail(PatternError::TooDeep);
                PatternNodePtr body = parseArgument();
                return body ? makeWrapper(PatternNodeKind::NegativeLookahead, std::move(body)) : nullptr;
            }
            case u'\\':
                return parseEscape();
            case u'$':
                if (atEnd()) return makeNode(PatternNodeKind::EndOfText, true);
                break;
            default:
                break;
        }
        return character(c);
    }

    static PatternNodePtr character(char16_t c) {
        auto node = makeNode(PatternNodeKind::Character, false);
        node->character = c;
        return node;
    }

    // After a backslash.
    PatternNodePtr parseEscape() {
        if (atEnd()) return character(u'\\');
        const char16_t c = peek();
        if (c >= u'0' && c <= u'9') {
            std::size_t group = 0;
            while (!atEnd() && peek() >= u'0' && peek() <= u'9') {
                // Saturates: anything that large names no opened group anyway.
                if (group <= captureCount_) group = group * 10 + static_cast<std::size_t>(peek() - u'0');
                ++position_;
            }
            if (group >= captureCount_) return fail(PatternError::UnknownGroup);
            hasBackReferences_ = true;
            auto node = makeNode(PatternNodeKind::BackReference, true);
            node->number = group;
            return node;
        }
        ++position_;
        const std::u16string_view expansion = abbreviationFor(c);
        if (expansion.empty()) return character(c);
        // The whole expansion, alternatives included, stands as one argument.
        PatternTree inner;
        if (Parser(expansion).parse(inner) != PatternError::None || inner.anchored || inner.captureCount != 0)
            return fail(PatternError::BadAbbreviation);
        return makeWrapper(PatternNodeKind::Group, std::move(inner.root));
    }

    // After "[".
    PatternNodePtr parseClass() {
        auto node = makeNode(PatternNodeKind::Class, false);
        if (!atEnd() && peek() == u'^') {
            node->negated = true;
            ++position_;
        }
        if (atEnd()) return fail(PatternError::MissingBracket);
        if (peek() == u']') return fail(PatternError::EmptyClass);
        while (!atEnd() && peek() != u']') {
            if (danglingEscape()) return fail(PatternError::MissingBracket);
            const char16_t low = classCharacter();
            char16_t high = low;
            if (!atEnd() && peek() == u'-') {
                ++position_;
                if (atEnd() || peek() == u']' || danglingEscape()) return fail(PatternError::MissingBracket);
                high = classCharacter();
                if (high < low) return fail(PatternError::ReversedRange);
            }
            node->ranges.push_back({low, high});
        }
        if (atEnd()) return fail(PatternError::MissingBracket);
        ++position_;
        return node;
    }

    // A backslash with nothing after it: the class can only be missing its "]".
    bool danglingEscape() const { return peek() == u'\\' && position_ + 1 == text_.size(); }

    // One item character; a backslash takes the next one literally, but \t is a tab.
    char16_t classCharacter() {
        const char16_t c = text_[position_++];
        if (c != u'\\') return c;
        const char16_t next = text_[position_++];
        return next == u't' ? u'\t' : next;
    }

    std::u16string_view text_;
    std::size_t position_ = 0;
    std::size_t captureCount_ = 0;
    bool hasBackReferences_ = false;
    PatternError error_ = PatternError::None;
    std::size_t depth_ = 0;
};

}  // namespace

PatternError parsePattern(std::u16string_view pattern, bool caseSensitive, PatternTree& tree) {
    tree = PatternTree{};
    tree.caseSensitive = caseSensitive;
    std::u16string folded;
    if (!caseSensitive) {
        folded.assign(pattern);
        for (char16_t& c : folded) c = asciiLower(c);
        pattern = folded;
    }
    const PatternError error = Parser(pattern).parse(tree);
    if (error != PatternError::None) {
        tree = PatternTree{};
        tree.caseSensitive = caseSensitive;
    }
    return error;
}

}  // namespace quillmont
