// Expanding any template with any parameters never overruns, never exceeds the
// system's limit and always starts with the quoted executable.
#include <cstdlib>

#include "core/launch/starter_process.h"
#include "fuzz_input.h"

using namespace quillmont;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzInput input(data, size);
    const WideString executable = input.take(input.byte());
    const WideString argumentTemplate = input.take(static_cast<std::size_t>(input.byte()) * 16);
    const WideString external = input.take(static_cast<std::size_t>(input.byte()) * 64);
    StarterProcess process(executable, argumentTemplate);
    const int parameters = input.byte() % 11;
    for (int i = 0; i < parameters; ++i) process.addQuotedParameter(input.take(static_cast<std::size_t>(input.byte()) * 8));

    const std::optional<WideString> line = process.buildCommandLine(external);
    if (!line) return 0;
    if (line->size() > StarterProcess::kMaxCommandLine) std::abort();
    const WideString head = u"\"" + executable + u"\"";
    if (line->compare(0, head.size(), head) != 0) std::abort();
    return 0;
}
