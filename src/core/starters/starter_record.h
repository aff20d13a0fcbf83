#pragma once

#include "base/wide_string.h"

namespace quillmont {

// One way of running an archive. The record checks nothing: names need not be
// unique and any field may be empty.
struct StarterRecord {
    WideString name;
    WideString executableFile;
    WideString arguments;  // template with %1, %2 and %*
    // The folder the started process runs in; empty: the one Quillmont runs in.
    // Emulators that read their files from their own folder need it.
    WideString startFolder = {};

    friend bool operator==(const StarterRecord&, const StarterRecord&) = default;
};

}  // namespace quillmont
