#pragma once

namespace quillmont {

// The Windows shell, as far as the program talks to it.
class Shell {
public:
    virtual ~Shell() = default;
    // Tells the shell that file associations changed (SHCNE_ASSOCCHANGED, no items).
    virtual void notifyAssociationsChanged() = 0;
};

}  // namespace quillmont
