#pragma once

#include <cstddef>
#include <vector>

#include "core/scan/detected_starter.h"

namespace quillmont {

// What the results dialog decides, apart from its window.

// The proposals the list shows, by their index in `detected` (in that order; the
// list sorts itself by name): all of them with "Show nonmain starters" ticked,
// otherwise those that are main and not yet configured.
std::vector<std::size_t> resultRows(const std::vector<DetectedStarter>& detected, bool showNonmain);

// Add Checked: the proposals of the ticked rows become checked; no other changes.
void markChecked(std::vector<DetectedStarter>& detected, const std::vector<std::size_t>& tickedIndexes);

}  // namespace quillmont
