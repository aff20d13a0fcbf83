#pragma once

#include "base/wide_string.h"

namespace quillmont {

// Taking paths apart and putting them together as text, the way Windows reads
// them: a backslash and a forward slash both separate folders. (Resolving "."
// and ".." is path_rules.h's.)

constexpr bool isPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// What follows the last separator: the whole path when it has none.
WideString fileNameOf(const WideString& path);
// What comes before the last separator, without the separators that end it
// ("C:\Java\\bin" gives "C:\Java", "\bin" gives "\"); empty without a separator.
WideString folderOf(const WideString& path);
// The path without the separators it ends in; a drive's root ("C:\") and a lone
// separator keep theirs, as "C:" alone means the drive's current folder.
WideString withoutTrailingSeparators(WideString path);

struct PathParts {
    WideString folder;     // up to and including the last separator; may be empty
    WideString baseName;   // from there to the last full stop after it
    WideString extension;  // from that full stop on; may be empty
};
PathParts splitPath(const WideString& path);

// folder + "\" + relative, without the folder's trailing and the relative part's
// leading separators.
WideString joinPath(const WideString& folder, const WideString& relative);

}  // namespace quillmont
