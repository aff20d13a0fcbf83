#include "core/launch/attribute_document.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "core/text/ascii_case.h"
#include "core/text/trim.h"
#include "core/text/utf8.h"

namespace quillmont {

namespace {

constexpr std::uint8_t kLineFeed = 0x0A;
constexpr std::uint8_t kCarriageReturn = 0x0D;

using Terminator = AttributeDocument::Terminator;

bool isLineEnd(std::uint8_t byte) { return byte == kLineFeed || byte == kCarriageReturn; }

// The first line end byte in [at, end), or end. Descriptors run to a megabyte
// and are split when opened: eight bytes are looked at in one step, by the
// usual test for a zero byte in a word (a byte equal to LF or CR becomes zero
// after the exclusive or).
std::size_t findLineEnd(const std::uint8_t* bytes, std::size_t at, std::size_t end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
    constexpr std::uint64_t kLineFeeds = kOnes * kLineFeed, kReturns = kOnes * kCarriageReturn;
    auto hasZeroByte = [](std::uint64_t word) { return ((word - kOnes) & ~word & kHighs) != 0; };
    for (; at + 8 <= end; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        if (hasZeroByte(word ^ kLineFeeds) || hasZeroByte(word ^ kReturns)) break;
    }
    while (at < end && !isLineEnd(bytes[at])) ++at;
    return at;
}

// The unit at `i` of name + ": ", and whether it matches `unit`.
bool attributeUnitMatches(const WideString& name, std::size_t i, char16_t unit) {
    if (i < name.size()) return asciiLower(unit) == asciiLower(name[i]);
    return unit == (i == name.size() ? u':' : u' ');
}

// Whether the line starts with name + ": ", ASCII letter case ignored.
bool startsWithAttribute(const WideString& line, const WideString& name) {
    if (line.size() < name.size() + 2) return false;
    for (std::size_t i = 0; i < name.size() + 2; ++i) {
        if (!attributeUnitMatches(name, i, line[i])) return false;
    }
    return true;
}

// The same for a line's bytes, decoded one unit at a time until they differ.
// `bytes` is the whole line, or a start of it long enough to give the units
// compared exactly as the whole line does.
bool bytesStartWithAttribute(std::span<const std::uint8_t> bytes, const WideString& name) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < name.size() + 2; ++i) {
        if (at == bytes.size() || !attributeUnitMatches(name, i, nextUtf8LenientUnit(bytes, at))) return false;
    }
    return true;
}

std::size_t lengthOf(Terminator terminator) {
    switch (terminator) {
        case Terminator::None: return 0;
        case Terminator::Lf:
        case Terminator::Cr: return 1;
        case Terminator::CrLf:
        case Terminator::LfCr: return 2;
    }
    return 0;
}

void appendTerminator(Terminator terminator, Bytes& out) {
    switch (terminator) {
        case Terminator::None: break;
        case Terminator::Lf: out.push_back(kLineFeed); break;
        case Terminator::Cr: out.push_back(kCarriageReturn); break;
        case Terminator::CrLf: out.push_back(kCarriageReturn); out.push_back(kLineFeed); break;
        case Terminator::LfCr: out.push_back(kLineFeed); out.push_back(kCarriageReturn); break;
    }
}

// Calls visit(offset) for every set bit in order, until it returns false. The
// bits of a word are read before its first call, so a call may clear them.
template <typename Visit>
void forEachSetBit(const std::vector<std::uint64_t>& words, Visit visit) {
    for (std::size_t w = 0; w < words.size(); ++w) {
        for (std::uint64_t word = words[w]; word != 0; word &= word - 1) {
            if (!visit(w * 64 + static_cast<std::size_t>(std::countr_zero(word)))) return;
        }
    }
}

}  // namespace

void AttributeDocument::parse(std::span<const std::uint8_t> bytes) { parse(Bytes(bytes.begin(), bytes.end())); }

void AttributeDocument::parse(Bytes&& bytes) {
    // Windows Notepad starts every UTF-8 file it saves with a byte-order mark. It
    // is not part of the first line: kept apart, and written back as it was.
    static constexpr std::uint8_t kMark[] = {0xEF, 0xBB, 0xBF};
    byteOrderMark_ = bytes.size() >= 3 && std::equal(std::begin(kMark), std::end(kMark), bytes.begin());
    source_ = std::move(bytes);
    if (byteOrderMark_) source_.erase(source_.begin(), source_.begin() + 3);
    starts_.assign((source_.size() + 63) / 64, 0);
    changes_.clear();
    allTerminators_.reset();
    linesRemoved_ = false;
    added_.clear();
    std::size_t start = 0;
    while (start < source_.size()) {
        starts_[start / 64] |= std::uint64_t{1} << (start % 64);
        const std::size_t end = lineEnd(start);
        start = end + lengthOf(readTerminator(end));
    }
    countLines();
}

void AttributeDocument::countLines() {
    linesBefore_.assign((starts_.size() + kWordsPerBlock - 1) / kWordsPerBlock, 0);
    std::size_t lines = 0;
    for (std::size_t w = 0; w < starts_.size(); ++w) {
        if (w % kWordsPerBlock == 0) linesBefore_[w / kWordsPerBlock] = lines;
        lines += static_cast<std::size_t>(std::popcount(starts_[w]));
    }
    sourceLines_ = lines;
}

std::size_t AttributeDocument::lineEnd(std::size_t start) const {
    return findLineEnd(source_.data(), start, source_.size());
}

// The line end that starts at `end`, where a line's text ends: a pair of
// different line end bytes is one line end.
Terminator AttributeDocument::readTerminator(std::size_t end) const {
    if (end == source_.size()) return Terminator::None;
    const bool lineFeed = source_[end] == kLineFeed;
    const std::uint8_t partner = lineFeed ? kCarriageReturn : kLineFeed;
    if (end + 1 < source_.size() && source_[end + 1] == partner) return lineFeed ? Terminator::LfCr : Terminator::CrLf;
    return lineFeed ? Terminator::Lf : Terminator::Cr;
}

Bytes AttributeDocument::serialize() const {
    Bytes out;
    out.reserve(source_.size() + 64);
    if (byteOrderMark_) out.insert(out.end(), {0xEF, 0xBB, 0xBF});
    if (!linesRemoved_ && !allTerminators_) {
        // Every line of the source is there: its bytes, with the changed lines written anew.
        std::size_t copied = 0;
        for (const auto& [start, change] : changes_) {
            const std::size_t end = lineEnd(start);
            const Terminator read = readTerminator(end);
            out.insert(out.end(), source_.begin() + static_cast<std::ptrdiff_t>(copied),
                       source_.begin() + static_cast<std::ptrdiff_t>(start));
            appendLine(start, end, &change, read, out);
            copied = end + lengthOf(read);
        }
        out.insert(out.end(), source_.begin() + static_cast<std::ptrdiff_t>(copied), source_.end());
    } else {
        forEachSetBit(starts_, [&, change = changes_.begin()](std::size_t start) mutable {
            while (change != changes_.end() && change->first < start) ++change;
            const Change* own = change != changes_.end() && change->first == start ? &change->second : nullptr;
            const std::size_t end = lineEnd(start);
            appendLine(start, end, own, readTerminator(end), out);
            return true;
        });
    }
    for (const AddedLine& line : added_) {
        appendUtf8(line.text, out);
        appendTerminator(line.terminator, out);
    }
    return out;
}

// A source line whose text ends at `end` and whose own line end is `read`, as
// it is now.
void AttributeDocument::appendLine(std::size_t start, std::size_t end, const Change* change, Terminator read,
                                   Bytes& out) const {
    if (change != nullptr && change->text) {
        appendUtf8(*change->text, out);
    } else {
        out.insert(out.end(), source_.begin() + static_cast<std::ptrdiff_t>(start),
                   source_.begin() + static_cast<std::ptrdiff_t>(end));
    }
    appendTerminator(change != nullptr && change->terminator ? *change->terminator : allTerminators_.value_or(read), out);
}

// Whether the source line from `start` on starts with name + ": ", decoding no
// more of it than that takes.
bool AttributeDocument::sourceLineStartsWithAttribute(std::size_t start, const WideString& name) const {
    // An ASCII byte is its own unit wherever the line ends: most lines stop here.
    if (source_[start] < 0x80 && !attributeUnitMatches(name, 0, source_[start])) return false;
    // A unit takes at most three bytes, so the k-th starts within the first 3k;
    // the decoder reads a unit from its own bytes and whether the input ends
    // within two bytes of its lead. The line's first 3 * units bytes therefore
    // give its first units exactly as the whole line does.
    const std::size_t units = name.size() + 2;
    const std::size_t room = source_.size() - start;
    const std::size_t window = units > room / 3 ? room : 3 * units;
    const auto first = source_.begin() + static_cast<std::ptrdiff_t>(start);
    const auto end = std::find_if(first, first + static_cast<std::ptrdiff_t>(window), isLineEnd);
    return bytesStartWithAttribute(std::span(first, end), name);
}

std::optional<AttributeDocument::Found> AttributeDocument::findLine(const WideString& name) const {
    std::optional<Found> found;
    std::size_t index = 0;
    auto change = changes_.begin();
    forEachSetBit(starts_, [&](std::size_t start) {
        while (change != changes_.end() && change->first < start) ++change;
        const bool set = change != changes_.end() && change->first == start && change->second.text;
        if (set ? startsWithAttribute(*change->second.text, name) : sourceLineStartsWithAttribute(start, name)) {
            found = Found{LineRef{false, start}, index};
            return false;
        }
        ++index;
        return true;
    });
    if (found) return found;
    for (std::size_t i = 0; i < added_.size(); ++i, ++index) {
        if (startsWithAttribute(added_[i].text, name)) return Found{LineRef{true, i}, index};
    }
    return std::nullopt;
}

std::ptrdiff_t AttributeDocument::find(const WideString& name) const {
    const std::optional<Found> found = findLine(name);
    return found ? static_cast<std::ptrdiff_t>(found->index) : -1;
}

WideString AttributeDocument::value(const WideString& name, bool trim) const {
    const std::optional<Found> found = findLine(name);
    if (!found) return {};
    WideString text = textOf(found->line).substr(name.size() + 2);
    return trim ? trimmed(text) : text;
}

AttributeDocument::LineRef AttributeDocument::lineAt(std::size_t index) const {
    if (index >= sourceLines_) return LineRef{true, index - sourceLines_};
    // The last block that starts before the line, then word by word.
    const auto block = std::upper_bound(linesBefore_.begin(), linesBefore_.end(), index) - 1;
    index -= *block;
    for (auto w = static_cast<std::size_t>(block - linesBefore_.begin()) * kWordsPerBlock;; ++w) {
        const auto count = static_cast<std::size_t>(std::popcount(starts_[w]));
        if (index < count) {
            std::uint64_t word = starts_[w];
            for (; index > 0; --index) word &= word - 1;
            return LineRef{false, w * 64 + static_cast<std::size_t>(std::countr_zero(word))};
        }
        index -= count;
    }
}

AttributeDocument::LineRef AttributeDocument::lastLine() const {
    if (!added_.empty()) return LineRef{true, added_.size() - 1};
    std::size_t w = starts_.size();
    while (starts_[w - 1] == 0) --w;
    return LineRef{false, (w - 1) * 64 + 63 - static_cast<std::size_t>(std::countl_zero(starts_[w - 1]))};
}

WideString AttributeDocument::textOf(const LineRef& line) const {
    if (line.added) return added_[line.at].text;
    const auto change = changes_.find(line.at);
    if (change != changes_.end() && change->second.text) return *change->second.text;
    return decodeUtf8Lenient(std::span(source_).subspan(line.at, lineEnd(line.at) - line.at));
}

AttributeDocument::Terminator AttributeDocument::terminatorOf(const LineRef& line) const {
    if (line.added) return added_[line.at].terminator;
    const auto change = changes_.find(line.at);
    if (change != changes_.end() && change->second.terminator) return *change->second.terminator;
    return allTerminators_.value_or(readTerminator(lineEnd(line.at)));
}

void AttributeDocument::setTerminator(const LineRef& line, Terminator terminator) {
    if (line.added) {
        added_[line.at].terminator = terminator;
    } else {
        changes_[line.at].terminator = terminator;
    }
}

WideString AttributeDocument::lineText(std::size_t index) const { return textOf(lineAt(index)); }

AttributeDocument::Terminator AttributeDocument::lineTerminator(std::size_t index) const {
    return terminatorOf(lineAt(index));
}

void AttributeDocument::setValue(const WideString& name, const WideString& value) {
    WideString text = name + u": " + value;
    if (const std::optional<Found> found = findLine(name)) {
        if (found->line.added) {
            added_[found->line.at].text = std::move(text);
        } else {
            changes_[found->line.at].text = std::move(text);
        }
        return;
    }
    AddedLine line{std::move(text), lineCount() < 2 ? Terminator::LfCr : terminatorOf(lineAt(0))};
    // A last line without a line end would run into the new one and both would
    // be read back as one line; it gets the new line's line end.
    if (lineCount() > 0) {
        const LineRef last = lastLine();
        if (terminatorOf(last) == Terminator::None) setTerminator(last, line.terminator);
    }
    added_.push_back(std::move(line));
}

// The caller counts the lines again once it has dropped all it drops.
void AttributeDocument::dropSourceLine(std::size_t start) {
    starts_[start / 64] &= ~(std::uint64_t{1} << (start % 64));
    linesRemoved_ = true;
}

void AttributeDocument::remove(const WideString& name) {
    const std::optional<Found> found = findLine(name);
    if (!found) return;
    if (found->line.added) {
        added_.erase(added_.begin() + static_cast<std::ptrdiff_t>(found->line.at));
        return;
    }
    dropSourceLine(found->line.at);
    changes_.erase(found->line.at);
    countLines();
}

void AttributeDocument::removeEmptyLines() {
    auto change = changes_.begin();
    forEachSetBit(starts_, [&](std::size_t start) {
        while (change != changes_.end() && change->first < start) ++change;
        const bool changed = change != changes_.end() && change->first == start;
        const bool empty = changed && change->second.text ? change->second.text->empty() : isLineEnd(source_[start]);
        if (empty) {
            dropSourceLine(start);
            if (changed) change = changes_.erase(change);
        }
        return true;
    });
    countLines();
    std::erase_if(added_, [](const AddedLine& line) { return line.text.empty(); });
}

void AttributeDocument::setAllTerminators(Terminator terminator) {
    allTerminators_ = terminator;
    std::erase_if(changes_, [](const auto& change) { return !change.second.text; });
    for (auto& [start, change] : changes_) change.terminator.reset();
    for (AddedLine& line : added_) line.terminator = terminator;
}

}  // namespace quillmont
