#include "core/scan/scan_results.h"

namespace quillmont {

std::vector<std::size_t> resultRows(const std::vector<DetectedStarter>& detected, bool showNonmain) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < detected.size(); ++i)
        if (showNonmain || (detected[i].main && !detected[i].configured)) rows.push_back(i);
    return rows;
}

void markChecked(std::vector<DetectedStarter>& detected, const std::vector<std::size_t>& tickedIndexes) {
    for (std::size_t index : tickedIndexes)
        if (index < detected.size()) detected[index].checked = true;
}

}  // namespace quillmont
