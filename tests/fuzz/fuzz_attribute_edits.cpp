// Any sequence of edits on any document keeps what each edit promises, and the
// result always parses back to a document that serializes to the same bytes.
#include <cstdlib>
#include <span>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t split = std::min<std::size_t>(size, data[0] | (data[1] << 8));
    AttributeDocument document;
    document.parse(std::span(data + 2, split > 2 ? split - 2 : 0));
    fuzzing::FuzzInput input(data + std::min(split, size), size - std::min(split, size));

    for (int step = 0; step < 64 && !input.empty(); ++step) {
        switch (input.byte() % 4) {
            case 0: {
                const WideString name = nameFrom(input);
                const WideString value = withoutLineEnds(input.take(input.byte() % 32));
                document.setValue(name, value);
                if (!document.has(name) || document.value(name, false) != value) std::abort();
                break;
            }
            case 1: {
                const WideString name = nameFrom(input);
                const std::size_t before = document.lineCount();
                const bool had = document.has(name);
                document.remove(name);
                if (document.lineCount() != before - (had ? 1 : 0)) std::abort();
                break;
            }
            case 2:
                document.removeEmptyLines();
                for (std::size_t i = 0; i < document.lineCount(); ++i)
                    if (document.lineText(i).empty()) std::abort();
                break;
            default: {
                const auto terminator = static_cast<Terminator>(input.byte() % 5);
                document.setAllTerminators(terminator);
                for (std::size_t i = 0; i < document.lineCount(); ++i)
                    if (document.lineTerminator(i) != terminator) std::abort();
                break;
            }
        }
    }
    const Bytes serialized = document.serialize();
    AttributeDocument reparsed;
    reparsed.parse(serialized);
    if (reparsed.serialize() != serialized) std::abort();
    return 0;
}
