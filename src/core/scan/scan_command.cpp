#include "core/scan/scan_command.h"

#include "core/scan/j2me/j2me_scanner.h"
#include "core/scan/j2se_scanner.h"

namespace quillmont {

bool scanForStarters(StarterKind kind, Platform& platform, ScanDialogs& dialogs, StarterList& starters,
                     const StarterList& javaStarters, WindowRef parent) {
    if (kind == StarterKind::J2SE) {
        J2seScanner scanner({platform, dialogs, starters});
        return scanner.run(parent);
    }
    J2meScanner scanner({platform, dialogs, starters, &javaStarters});
    return scanner.run(parent);
}

}  // namespace quillmont
