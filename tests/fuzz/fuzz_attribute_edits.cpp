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

// The document holds exactly the expected lines.
void expectLines(const AttributeDocument& document, const Snapshot& expected) {
    if (document.lineCount() != expected.texts.size()) std::abort();
    for (std::size_t i = 0; i < expected.texts.size(); ++i)
        if (document.lineText(i) != expected.texts[i] || document.lineTerminator(i) != expected.terminators[i])
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t split = std::min<std::size_t>(size, data[0] | (data[1] << 8));
    AttributeDocument document;
    document.parse(std::span(data + 2, split > 2 ? split - 2 : 0));
    fuzzing::FuzzInput input(data + std::min(split, size), size - std::min(split, size));

    // What the document must hold after each edit, kept beside it. Reading a line
    // decodes it, so the whole document is compared with the model after every
    // edit while it is short, and after every eighth edit and at the end when it
    // is long; the line an edit names is checked at once.
    Snapshot model = snapshot(document);
    for (int step = 0; step < 64 && !input.empty(); ++step) {
        switch (input.byte() % 4) {
            case 0: {
                const WideString name = nameFrom(input);
                const WideString value = withoutLineEnds(input.take(input.byte() % 32));
                const std::ptrdiff_t at = document.find(name);
                document.setValue(name, value);
                if (!document.has(name) || document.value(name, false) != value) std::abort();
                // The line set is name + ": " + value, in place or appended.
                const std::size_t line = at >= 0 ? static_cast<std::size_t>(at) : model.texts.size();
                if (document.lineCount() != model.texts.size() + (at >= 0 ? 0 : 1)) std::abort();
                if (document.find(name) != static_cast<std::ptrdiff_t>(line)) std::abort();
                if (document.lineText(line) != name + u": " + value) std::abort();
                if (at >= 0) {
                    if (document.lineTerminator(line) != model.terminators[line]) std::abort();
                    model.texts[line] = name + u": " + value;
                } else {
                    // Appended with the first line's line end (LfCr below two lines); a
                    // last line without one gets the same, so that the two stay apart.
                    const Terminator added = model.texts.size() < 2 ? Terminator::LfCr : model.terminators.front();
                    if (document.lineTerminator(line) != added) std::abort();
                    if (!model.terminators.empty() && model.terminators.back() == Terminator::None)
                        model.terminators.back() = added;
                    model.texts.push_back(name + u": " + value);
                    model.terminators.push_back(added);
                }
                break;
            }
            case 1: {
                const WideString name = nameFrom(input);
                const std::ptrdiff_t at = document.find(name);
                if (at >= 0) {
                    model.texts.erase(model.texts.begin() + at);
                    model.terminators.erase(model.terminators.begin() + at);
                }
                document.remove(name);
                if (document.lineCount() != model.texts.size()) std::abort();
                break;
            }
            case 2: {
                for (std::size_t i = model.texts.size(); i-- > 0;) {
                    if (!model.texts[i].empty()) continue;
                    model.texts.erase(model.texts.begin() + static_cast<std::ptrdiff_t>(i));
                    model.terminators.erase(model.terminators.begin() + static_cast<std::ptrdiff_t>(i));
                }
                document.removeEmptyLines();
                if (document.lineCount() != model.texts.size()) std::abort();
                break;
            }
            default: {
                const auto terminator = static_cast<Terminator>(input.byte() % 5);
                document.setAllTerminators(terminator);
                std::fill(model.terminators.begin(), model.terminators.end(), terminator);
                if (document.lineCount() != model.texts.size()) std::abort();
                break;
            }
        }
        if (model.texts.size() <= 32 || step % 8 == 7) expectLines(document, model);
    }
    expectLines(document, model);
    // Serialising is the other target's business; here it must only not fail.
    (void)document.serialize();
    return 0;
}
