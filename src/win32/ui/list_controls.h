#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/setup/setup_model.h"

namespace quillmont::win32 {

// Replaces a list box's items by the rows, each carrying its value as item data;
// a sorted list box places them itself.
void fillListBox(HWND list, const std::vector<ListRow>& rows);
// Selects the item whose data is `value`, wherever sorting put it; false when
// no item has it.
bool selectListBoxItemByData(HWND list, std::int32_t value);
// The item data of the selected item, or 0 when none is selected.
std::int32_t selectedListBoxData(HWND list);

}  // namespace quillmont::win32
