// Whatever the bytes (any encoding, stray line ends, broken UTF-8), a document
// that nobody edited serializes to exactly the bytes it was parsed from, and its
// lookups stay inside the document.
#include <cstdlib>
#include <span>

#include "core/launch/attribute_document.h"

using namespace quillmont;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    AttributeDocument document;
    document.parse(bytes);
    const Bytes serialized = document.serialize();
    if (serialized.size() != size || !std::equal(serialized.begin(), serialized.end(), bytes.begin())) std::abort();
    if (document.lineCount() > size) std::abort();
    for (const char16_t* name : {u"MIDlet-Jar-Size", u"MIDlet-Jar-URL", u"MIDlet-1", u""}) {
        const std::ptrdiff_t index = document.find(name);
        if (index >= static_cast<std::ptrdiff_t>(document.lineCount())) std::abort();
        if ((index >= 0) != document.has(name)) std::abort();
        (void)document.value(name, true);
    }
    return 0;
}
