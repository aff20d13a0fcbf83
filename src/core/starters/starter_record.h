#pragma once

#include "base/wide_string.h"

namespace quillmont {

// One way of running an archive. The record checks nothing: names need not be
// unique and any field may be empty.
struct StarterRecord {
    WideString name;
    WideString executableFile;
    WideString arguments;  // template with %1, %2 and %*

    friend bool operator==(const StarterRecord&, const StarterRecord&) = default;
};

}  // namespace quillmont
