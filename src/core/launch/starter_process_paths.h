#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "base/wide_string.h"
#include "core/starters/starter_kind.h"
#include "core/starters/starter_record.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace quillmont {

// Java launchers, and many emulators, read their command line in the ANSI code
// page: a path that it cannot hold reaches them with "?" in place of letters and
// names no file. Such a path goes by its short (8.3) form instead; any other path
// goes exactly as it is.

// The path as it is when the code page holds it, else its short form when the
// volume keeps one that the code page holds; nothing when neither.
std::optional<WideString> ansiReadablePath(Files& files, Environment& environment, const WideString& path);

// Whether every path among `parameters` (%1, %2, ...) that the starter's
// arguments take has a form that the code page holds.
bool parametersReachStarter(Files& files, Environment& environment, const StarterRecord& starter,
                            const std::vector<WideString>& parameters);

// A path that has no such form.
struct UnreadablePath {
    WideString path;
    // 1 for %1, 2 for %2, ...; 0 for the folder an emulator preset wrote into the arguments.
    std::size_t parameter = 0;
    // The path is one of the temporary copies: their folder is what to change.
    bool temporaryCopy = false;
};

// Puts the forms the code page holds in place of the parameters the starter's
// arguments take and of the folder that an emulator preset wrote into them.
// Nothing when that succeeds; else the first path that has no such form, and
// the starter and parameters may then be half changed. The program's own path
// goes by its short form too when it has one (a Java launcher finds its runtime
// beside itself, through that path in the code page); without one it goes as
// it is, since Windows starts it by its full name either way.
std::optional<UnreadablePath> makePathsReadable(Files& files, Environment& environment, StarterRecord& starter,
                                                std::vector<WideString>& parameters);

// What the user is told about that path: which path, why, and to move or rename
// it, or for a temporary copy to give the temporary files another folder.
WideString unreadablePathText(StarterKind kind, const StarterRecord& starter, const UnreadablePath& unreadable);

}  // namespace quillmont
