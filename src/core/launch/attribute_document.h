#pragma once

#include <cstddef>
#include <cstdint>
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
class AttributeDocument {
public:
    enum class Terminator : std::uint8_t { None, Lf, Cr, CrLf, LfCr };

    // Replaces every line by those of `bytes`.
    void parse(std::span<const std::uint8_t> bytes);
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

    std::size_t lineCount() const { return lines_.size(); }
    const WideString& lineText(std::size_t index) const { return lines_[index].text; }
    Terminator lineTerminator(std::size_t index) const { return lines_[index].terminator; }

private:
    struct Line {
        WideString text;
        // Where the line's bytes lie in source_; a line that was set has none and
        // is encoded from its text.
        std::size_t sourceOffset = 0;
        std::size_t sourceLength = 0;
        bool fromSource = false;
        Terminator terminator = Terminator::None;
    };

    Bytes source_;
    std::vector<Line> lines_;
};

}  // namespace quillmont
