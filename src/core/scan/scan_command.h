#pragma once

#include "core/scan/starter_scanner.h"
#include "core/starters/starter_kind.h"

namespace quillmont {

// What a Scan button of the setup dialog does: runs the kind's scanner with the
// dialog as parent. True when starters were appended to the kind's list, which
// the dialog then shows again.
// The J2ME scan takes the Java for portable emulators from the J2SE starters.
bool scanForStarters(StarterKind kind, Platform& platform, ScanDialogs& dialogs, StarterList& starters,
                     const StarterList& javaStarters, WindowRef parent);

}  // namespace quillmont
