#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "base/bytes.h"
#include "base/wide_string.h"

namespace quillmont {

// A JAD descriptor or a JAR manifest as ordered lines, each with its line end
// exactly as read. An attribute is a line that starts with its name, a colon and
// one space (ASCII letter case ignored); nothing else of the format is read, so
// continuation lines and lines without ": " are lines of their own.
//
// Lines are split on the raw bytes and each line's text is decoded on its own, so
// a byte that is not UTF-8 cannot swallow a line end. A line that setValue did
// not set is written back with exactly the bytes it was read from, whatever its
// encoding.
//
// The document keeps the bytes it was given and one bit per byte that marks
// where a line starts; a line's text is decoded when it is asked for, and only
// the lines that were set or appended are held as text. However many lines it
// has, a document holds little more than its bytes (an eighth more).
class AttributeDocument {
public:
    enum class Terminator : std::uint8_t { None, Lf, Cr, CrLf, LfCr };

    // Replaces every line by those of `bytes`; the second keeps the bytes it is
    // given instead of a copy.
    void parse(std::span<const std::uint8_t> bytes);
    void parse(Bytes&& bytes);
    // Every line's bytes followed by its terminator, in order.
    Bytes serialize() const;

    // The index of the first line that starts with name + ": ", or -1.
    std::ptrdiff_t find(const WideString& name) const;
    // The text after name + ": " (trimmed on request); empty when there is none.
    WideString value(const WideString& name, bool trim) const;
    bool has(const WideString& name) const { return find(name) >= 0; }
    // Rewrites the attribute's line as name + ": " + value, keeping its line end,
    // or appends such a line.
    void setValue(const WideString& name, const WideString& value);
    // Removes the first line of the attribute, if any.
    void remove(const WideString& name);
    void removeEmptyLines();
    void setAllTerminators(Terminator terminator);
    // Whether the bytes began with a UTF-8 byte-order mark (EF BB BF), which is
    // no part of the first line and which serialize writes back.
    bool hasByteOrderMark() const { return byteOrderMark_; }
    void dropByteOrderMark() { byteOrderMark_ = false; }

    std::size_t lineCount() const { return sourceLines_ + added_.size(); }
    // Finding a line by its index counts the lines before it.
    WideString lineText(std::size_t index) const;
    Terminator lineTerminator(std::size_t index) const;

private:
    // A line read from the source, by the offset where it starts, or an added line,
    // by its place in added_.
    struct LineRef {
        bool added = false;
        std::size_t at = 0;
    };
    // What was changed of a line read from the source.
    struct Change {
        std::optional<WideString> text;
        std::optional<Terminator> terminator;
    };
    struct AddedLine {
        WideString text;
        Terminator terminator = Terminator::None;
    };

    struct Found {
        LineRef line;
        std::size_t index = 0;
    };

    std::optional<Found> findLine(const WideString& name) const;
    bool sourceLineStartsWithAttribute(std::size_t start, const WideString& name) const;
    // Preconditions: index < lineCount(), and for lastLine lineCount() > 0.
    LineRef lineAt(std::size_t index) const;
    LineRef lastLine() const;
    std::size_t lineEnd(std::size_t start) const;
    Terminator readTerminator(std::size_t end) const;
    WideString textOf(const LineRef& line) const;
    Terminator terminatorOf(const LineRef& line) const;
    void setTerminator(const LineRef& line, Terminator terminator);
    void dropSourceLine(std::size_t start);
    void countLines();
    void appendLine(std::size_t start, std::size_t end, const Change* change, Terminator read, Bytes& out) const;

    Bytes source_;
    bool byteOrderMark_ = false;
    // Bit k of word k / 64 is set when a line of the document starts at source_[k].
    std::vector<std::uint64_t> starts_;
    // The set bits in all words before each block of words, so that a line is
    // found by its index without counting all lines before it.
    static constexpr std::size_t kWordsPerBlock = 8;
    std::vector<std::size_t> linesBefore_;
    std::size_t sourceLines_ = 0;
    // Lines of the source that were set, or given another line end, by their start.
    std::map<std::size_t, Change> changes_;
    // After setAllTerminators: the line end of every source line without one of its own.
    std::optional<Terminator> allTerminators_;
    // Whether a line of the source was removed since it was parsed.
    bool linesRemoved_ = false;
    // Lines appended by setValue, after every line of the source.
    std::vector<AddedLine> added_;
};

}  // namespace quillmont
