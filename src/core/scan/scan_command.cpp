#include "core/scan/scan_command.h"

#include "core/scan/j2se_scanner.h"

namespace quillmont {

bool scanForStarters(StarterKind kind, Platform& platform, ScanDialogs& dialogs, StarterList& starters,
                     WindowRef parent) {
    if (kind != StarterKind::J2SE) return false;
    J2seScanner scanner({platform, dialogs, starters});
    return scanner.run(parent);
}

}  // namespace quillmont
