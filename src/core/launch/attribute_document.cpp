#include "core/launch/attribute_document.h"

#include "core/text/trim.h"
#include "core/text/utf8.h"

namespace quillmont {

namespace {

constexpr std::uint8_t kLineFeed = 0x0A;
constexpr std::uint8_t kCarriageReturn = 0x0D;

using Terminator = AttributeDocument::Terminator;

char16_t asciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// Whether the line starts with name + ": ", ASCII letter case ignored.
bool startsWithAttribute(const WideString& line, const WideString& name) {
    if (line.size() < name.size() + 2) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (asciiLower(line[i]) != asciiLower(name[i])) return false;
    }
    return line[name.size()] == u':' && line[name.size() + 1] == u' ';
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

}  // namespace

void AttributeDocument::parse(std::span<const std::uint8_t> bytes) {
    lines_.clear();
    source_.assign(bytes.begin(), bytes.end());
    const std::size_t size = source_.size();
    // One record per line: reserving them up front keeps a document of many
    // short lines from holding two copies of its records while the list grows.
    std::size_t lineEnds = 0;
    for (const std::uint8_t byte : source_) lineEnds += byte == kLineFeed || byte == kCarriageReturn;
    lines_.reserve(lineEnds + 1);
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size && source_[end] != kLineFeed && source_[end] != kCarriageReturn) ++end;
        Line line;
        line.sourceOffset = start;
        line.sourceLength = end - start;
        line.fromSource = true;
        line.text = decodeUtf8Lenient(std::span(source_).subspan(start, end - start));
        std::size_t next = end;
        if (end < size) {
            const bool lineFeed = source_[end] == kLineFeed;
            const std::uint8_t partner = lineFeed ? kCarriageReturn : kLineFeed;
            next = end + 1;
            if (next < size && source_[next] == partner) {
                line.terminator = lineFeed ? Terminator::LfCr : Terminator::CrLf;
                ++next;
            } else {
                line.terminator = lineFeed ? Terminator::Lf : Terminator::Cr;
            }
        }
        lines_.push_back(std::move(line));
        start = next;
    }
}

Bytes AttributeDocument::serialize() const {
    Bytes out;
    out.reserve(source_.size() + 64);
    for (const Line& line : lines_) {
        if (line.fromSource) {
            const auto first = source_.begin() + static_cast<std::ptrdiff_t>(line.sourceOffset);
            out.insert(out.end(), first, first + static_cast<std::ptrdiff_t>(line.sourceLength));
        } else {
            appendUtf8(line.text, out);
        }
        appendTerminator(line.terminator, out);
    }
    return out;
}

std::ptrdiff_t AttributeDocument::find(const WideString& name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (startsWithAttribute(lines_[i].text, name)) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

WideString AttributeDocument::value(const WideString& name, bool trim) const {
    const std::ptrdiff_t index = find(name);
    if (index < 0) return {};
    WideString text = lines_[static_cast<std::size_t>(index)].text.substr(name.size() + 2);
    return trim ? trimmed(text) : text;
}

void AttributeDocument::setValue(const WideString& name, const WideString& value) {
    WideString text = name + u": " + value;
    const std::ptrdiff_t index = find(name);
    if (index >= 0) {
        Line& line = lines_[static_cast<std::size_t>(index)];
        line.text = std::move(text);
        line.fromSource = false;
        return;
    }
    Line line;
    line.text = std::move(text);
    line.terminator = lines_.size() < 2 ? Terminator::LfCr : lines_.front().terminator;
    // A last line without a line end would run into the new one and both would
    // be read back as one line; it gets the new line's line end.
    if (!lines_.empty() && lines_.back().terminator == Terminator::None) lines_.back().terminator = line.terminator;
    lines_.push_back(std::move(line));
}

void AttributeDocument::remove(const WideString& name) {
    const std::ptrdiff_t index = find(name);
    if (index >= 0) lines_.erase(lines_.begin() + index);
}

void AttributeDocument::removeEmptyLines() {
    std::erase_if(lines_, [](const Line& line) { return line.text.empty(); });
}

void AttributeDocument::setAllTerminators(Terminator terminator) {
    for (Line& line : lines_) line.terminator = terminator;
}

}  // namespace quillmont
