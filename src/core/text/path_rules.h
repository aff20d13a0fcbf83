#pragma once

#include "base/wide_string.h"

namespace quillmont {

// Windows' rules for joining and normalising paths, for paths of any length
// (PathCombineW gives up beyond MAX_PATH characters; these do not).

// PathCanonicalizeW: resolves "." and ".." segments between backslashes, never
// above the root; forward slashes are ordinary characters.
WideString canonicalizePath(const WideString& path);

// PathCombineW: a path with a drive letter (or a UNC path) is taken as it is, a
// leading backslash starts at the folder's root, anything else is appended to
// the folder; then "." and ".." are resolved.
WideString combinePaths(const WideString& folder, const WideString& more);

}  // namespace quillmont
