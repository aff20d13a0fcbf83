#pragma once

#include <cstdint>

#include "core/starters/starter_record.h"

namespace quillmont {

// One starter that a scan proposes: the starter as it would be added, and what
// the scan and its results dialog know about it. A value: copying copies every field.
struct DetectedStarter {
    StarterRecord starter;
    bool checked = false;     // ticked in the results dialog
    bool main = true;         // the best-ranked proposal of its group
    bool configured = false;  // an equal starter is in the kind's list already
    WideString group;         // within a group only the highest rank stays main
    std::int32_t rank = 0;    // larger wins
    // Patterns of the scanners' dialect, matched against a configured starter's
    // arguments: one that matches the first, or fails the second, is another starter.
    WideString excludeArgumentsPattern;
    WideString requireArgumentsPattern;
};

}  // namespace quillmont
