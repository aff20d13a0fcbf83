// Any sequence of edits on any document keeps what each edit promises, line by
// line: an attribute set in place keeps its position and line end and leaves
// every other line alone, one set anew is appended, a removal takes exactly the
// first line of the attribute, removing empty lines keeps the others in order
// with their line ends, and a terminator change touches no text.
#include <cstdlib>
#include <algorithm>
#include <span>
#include <vector>

#include "core/launch/attribute_document.h"
#include "fuzz_input.h"

using namespace quillmont;
using Terminator = AttributeDocument::Terminator;

namespace {

const char16_t* const kNames[] = {u"MIDlet-Jar-Size", u"MIDlet-Jar-URL", u"Manifest-Version", u"midlet-jar-size",
                                  u"MIDlet-1", u""};

// Line ends inside a value would make new lines, which no caller ever sets.
WideString withoutLineEnds(WideString text) {
    std::erase_if(text, [](char16_t c) { return c == u'\n' || c == u'\r'; });
    return text;
}

WideString nameFrom(fuzzing::FuzzInput& input) {
    const std::uint8_t pick = input.byte();
    if (pick < 200) return kNames[pick % std::size(kNames)];
    return withoutLineEnds(input.take(pick % 16));
}

struct Snapshot {
    std::vector<WideString> texts;
    std::vector<Terminator> terminators;
};

Snapshot snapshot(const AttributeDocument& document) {
    Snapshot lines;
    for (std::size_t i = 0; i < document.lineCount(); ++i) {
        lines.texts.push_back(document.lineText(i));
        lines.terminators.push_back(document.lineTerminator(i));
    }
    return lines;
}

// The lines are the expected ones but for the one at `except` (none: all of them).
void expectSameLinesBut(const Snapshot& lines, const Snapshot& expected, std::size_t except) {
    for (std::size_t i = 0; i < expected.texts.size(); ++i) {
        if (i == except) continue;
        if (lines.texts[i] != expected.texts[i] || lines.terminators[i] != expected.terminators[i]) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t split = std::min<std::size_t>(size, data[0] | (data[1] << 8));
    AttributeDocument document;
    document.parse(std::span(data + 2, split > 2 ? split - 2 : 0));
    fuzzing::FuzzInput input(data + std::min(split, size), size - std::min(split, size));

    // Each line is read once after each edit (reading one decodes it).
    Snapshot lines = snapshot(document);
    for (int step = 0; step < 64 && !input.empty(); ++step) {
        Snapshot before = std::move(lines);
        switch (input.byte() % 4) {
            case 0: {
                const WideString name = nameFrom(input);
                const WideString value = withoutLineEnds(input.take(input.byte() % 32));
                const std::ptrdiff_t at = document.find(name);
                document.setValue(name, value);
                lines = snapshot(document);
                if (!document.has(name) || document.value(name, false) != value) std::abort();
                // The line set is name + ": " + value, in place or appended.
                const std::size_t line = at >= 0 ? static_cast<std::size_t>(at) : before.texts.size();
                if (lines.texts.size() != before.texts.size() + (at >= 0 ? 0 : 1)) std::abort();
                if (document.find(name) != static_cast<std::ptrdiff_t>(line)) std::abort();
                if (lines.texts[line] != name + u": " + value) std::abort();
                Snapshot& expected = before;
                if (at >= 0) {
                    if (lines.terminators[line] != before.terminators[line]) std::abort();
                } else {
                    // Appended with the first line's line end (LfCr below two lines); a
                    // last line without one gets the same, so that the two stay apart.
                    const Terminator added = before.texts.size() < 2 ? Terminator::LfCr : before.terminators.front();
                    if (lines.terminators[line] != added) std::abort();
                    if (!expected.terminators.empty() && expected.terminators.back() == Terminator::None)
                        expected.terminators.back() = added;
                }
                expectSameLinesBut(lines, expected, line);
                break;
            }
            case 1: {
                const WideString name = nameFrom(input);
                Snapshot& expected = before;
                const std::ptrdiff_t at = document.find(name);
                if (at >= 0) {
                    expected.texts.erase(expected.texts.begin() + at);
                    expected.terminators.erase(expected.terminators.begin() + at);
                }
                document.remove(name);
                lines = snapshot(document);
                if (lines.texts.size() != expected.texts.size()) std::abort();
                expectSameLinesBut(lines, expected, static_cast<std::size_t>(-1));
                break;
            }
            case 2: {
                Snapshot& expected = before;
                for (std::size_t i = expected.texts.size(); i-- > 0;) {
                    if (!expected.texts[i].empty()) continue;
                    expected.texts.erase(expected.texts.begin() + static_cast<std::ptrdiff_t>(i));
                    expected.terminators.erase(expected.terminators.begin() + static_cast<std::ptrdiff_t>(i));
                }
                document.removeEmptyLines();
                lines = snapshot(document);
                if (lines.texts.size() != expected.texts.size()) std::abort();
                expectSameLinesBut(lines, expected, static_cast<std::size_t>(-1));
                break;
            }
            default: {
                const auto terminator = static_cast<Terminator>(input.byte() % 5);
                Snapshot& expected = before;
                document.setAllTerminators(terminator);
                lines = snapshot(document);
                std::fill(expected.terminators.begin(), expected.terminators.end(), terminator);
                if (lines.texts.size() != expected.texts.size()) std::abort();
                expectSameLinesBut(lines, expected, static_cast<std::size_t>(-1));
                break;
            }
        }
    }
    // Serialising is the other target's business; here it must only not fail.
    (void)document.serialize();
    return 0;
}
