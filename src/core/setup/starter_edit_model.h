#pragma once

#include <optional>

#include "core/starters/starter_kind.h"
#include "core/starters/starter_record.h"

namespace quillmont {

// The two variants of the starter edit dialog and what they offer.
struct StarterEditVariant {
    int dialogId;
    const char16_t* caption;
    const char16_t* argumentLabel;
    const char16_t* snippets[2];  // the ">" menu's entries 1 and 2, appended as they stand
};
const StarterEditVariant& starterEditVariant(StarterKind kind);

inline constexpr int kNameLimit = 256;
inline constexpr int kExecutableFileLimit = 1024;
inline constexpr int kArgumentsLimit = 1024;

// The fields as typed, checked and trimmed for OK: either the record to store or
// the message that keeps the dialog open.
struct StarterEditOutcome {
    std::optional<StarterRecord> record;
    WideString error;
};
StarterEditOutcome checkStarterFields(const WideString& name, const WideString& executableFile,
                                      const WideString& arguments);

}  // namespace quillmont
