// Any bytes as the update service's answer: no crash, no read outside it, and
// what the decoding promises: three bytes a group less one per "=", and records
// only from a body that starts with "*".
#include <algorithm>
#include <cstdlib>

#include "core/update/update_response.h"

using namespace quillmont;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<Bytes> decoded = decodeBase64Groups(bytes);
    if (decoded && decoded->size() != size / 4 * 3 - static_cast<std::size_t>(std::count(data, data + size, '=')))
        std::abort();
    const std::optional<UpdateRecords> records = decodeUpdateBody(bytes);
    if (records && (size < 5 || data[0] != '*')) std::abort();
    return 0;
}
