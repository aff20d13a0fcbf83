#pragma once

#include <cstdint>
#include <vector>

namespace quillmont {

// The contents of a file, exactly as stored.
using Bytes = std::vector<std::uint8_t>;

}  // namespace quillmont
