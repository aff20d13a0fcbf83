#pragma once

#include <optional>

#include "base/wide_string.h"
#include "platform/files.h"
#include "platform/user_interface.h"

namespace quillmont {

// The archive of a descriptor saved from the web, which names it by the address
// it was downloaded from.
struct WebArchive {
    WideString path;
    bool chosen = false;  // the user chose it: nothing beside the descriptor had its names
};

// The archive saved beside the descriptor: the one the address's last path
// segment names, or else the one with the descriptor's own name. Browsers save
// a second download of a name as "game (1).jar", so without either the user is
// told the names looked for and may choose the archive. Nothing when they do not.
std::optional<WebArchive> findWebArchive(Files& files, UserInterface& ui, const WideString& jadPath,
                                         const WideString& url);

}  // namespace quillmont
