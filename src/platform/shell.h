#pragma once

#include "base/wide_string.h"

namespace quillmont {

// The Windows shell, as far as the program talks to it.
class Shell {
public:
    virtual ~Shell() = default;
    // Tells the shell that file associations changed (SHCNE_ASSOCCHANGED, no items).
    virtual void notifyAssociationsChanged() = 0;
    // Opens an address with its default handler (the web browser); failures are ignored.
    virtual void openUrl(const WideString& url) = 0;
};

}  // namespace quillmont
