#include "reference_matcher.h"

#include <type_traits>

#include "core/scan/pattern/pattern_parser.h"

namespace quillmont::testing {
namespace {

constexpr std::size_t kUnset = MatchContext::kUnset;

// What to do with the position reached: a non-owning callable.
class Next {
public:
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Next>>>
    Next(const F& f) : object_(&f), call_([](const void* o, std::size_t p) { return (*static_cast<const F*>(o))(p); }) {}
    bool operator()(std::size_t position) const { return call_(object_, position); }

private:
    const void* object_;
    bool (*call_)(const void*, std::size_t);
};

class Search {
public:
    Search(const WideString& text, std::size_t groupCount) : text_(text), groups_(groupCount, {kUnset, kUnset}) {}

    const std::vector<MatchSpan>& groups() const { return groups_; }

    bool gaveUp() const { return gaveUp_; }

    // Every way through the pattern is a chain of calls here; past kMaxDepth of
    // them the search gives up rather than overflow the stack.
    bool node(const PatternNode& n, std::size_t at, Next next) {
        if (depth_ >= kMaxDepth) {
            gaveUp_ = true;
            return false;
        }
        ++depth_;
        const bool found = step(n, at, next);
        --depth_;
        return found;
    }

private:
    static constexpr std::size_t kMaxDepth = 2000;

    bool step(const PatternNode& n, std::size_t at, Next next) {
        switch (n.kind) {
            case PatternNodeKind::Empty: return next(at);
            case PatternNodeKind::Character: return at < text_.size() && text_[at] == n.character && next(at + 1);
            case PatternNodeKind::Any: return at < text_.size() && next(at + 1);
            case PatternNodeKind::Class: {
                if (at >= text_.size()) return false;
                bool in = false;
                for (const ClassRange& r : n.ranges) in = in || (text_[at] >= r.low && text_[at] <= r.high);
                return in != n.negated && next(at + 1);
            }
            case PatternNodeKind::EndOfText: return at == text_.size() && next(at);
            case PatternNodeKind::Sequence: return sequence(n, 0, at, next);
            case PatternNodeKind::Alternation:
                return node(*n.children[0], at, next) || node(*n.children[1], at, next);
            case PatternNodeKind::Repeat:
                if (n.repeat == RepeatKind::Question) {
                    if (n.greedy) return node(*n.children[0], at, next) || next(at);
                    return next(at) || node(*n.children[0], at, next);
                }
                if (n.repeat == RepeatKind::Star) return star(n, at, next);
                return node(*n.children[0], at, [&](std::size_t p) { return p == at ? next(p) : star(n, p, next); });
            case PatternNodeKind::Group: return node(*n.children[0], at, next);
            case PatternNodeKind::Capture: {
                MatchSpan& group = groups_[n.number];
                const MatchSpan saved = group;
                group.start = at;
                const bool found = node(*n.children[0], at, [&](std::size_t p) {
                    const std::size_t savedEnd = group.end;
                    group.end = p;
                    if (next(p)) return true;
                    group.end = savedEnd;
                    return false;
                });
                if (!found) group = saved;
                return found;
            }
            case PatternNodeKind::NegativeLookahead: {
                const std::vector<MatchSpan> saved = groups_;
                const bool body = node(*n.children[0], at, [](std::size_t) { return true; });
                groups_ = saved;
                return !body && next(at);
            }
            case PatternNodeKind::BackReference: {
                const MatchSpan group = groups_[n.number];
                if (group.start == kUnset || group.end == kUnset || group.end < group.start) return next(at);
                const std::size_t count = group.end - group.start;
                if (text_.size() - at < count || text_.compare(at, count, text_, group.start, count) != 0) return false;
                return next(at + count);
            }
        }
        return false;
    }

    bool sequence(const PatternNode& n, std::size_t index, std::size_t at, Next next) {
        if (index == n.children.size()) return next(at);
        return node(*n.children[index], at, [&](std::size_t p) { return sequence(n, index + 1, p, next); });
    }

    // A turn that consumed nothing ends the repetition.
    bool star(const PatternNode& n, std::size_t at, Next next) {
        const auto again = [&](std::size_t p) { return p == at ? next(p) : star(n, p, next); };
        if (n.greedy) return node(*n.children[0], at, again) || next(at);
        return next(at) || node(*n.children[0], at, again);
    }

    const WideString& text_;
    std::vector<MatchSpan> groups_;
    std::size_t depth_ = 0;
    bool gaveUp_ = false;
};

}  // namespace

PatternError ReferenceMatcher::parse(const WideString& pattern, bool caseSensitive) {
    const PatternError error = parsePattern(pattern, caseSensitive, tree_);
    ready_ = error == PatternError::None;
    return error;
}

bool ReferenceMatcher::match(const WideString& text, MatchContext& context) {
    context = {};
    gaveUp_ = false;
    if (!ready_) return false;
    WideString folded = text;
    if (!tree_.caseSensitive)
        for (char16_t& c : folded)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    const std::size_t last = tree_.anchored || folded.empty() ? 0 : folded.size() - 1;
    for (std::size_t start = 0; start <= last; ++start) {
        Search search(folded, tree_.captureCount);
        std::size_t end = kUnset;
        if (search.node(*tree_.root, start, [&](std::size_t p) {
                end = p;
                return true;
            })) {
            context.match = {start, end};
            context.groups = search.groups();
            return true;
        }
        if (search.gaveUp()) {
            gaveUp_ = true;
            return false;
        }
    }
    return false;
}

}  // namespace quillmont::testing
