#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/setup/setup_model.h"

namespace quillmont::win32 {

// Replaces a list box's items by the rows, each carrying its value as item data;
// a sorted list box places them itself. The sideways extent follows.
void fillListBox(HWND list, const std::vector<ListRow>& rows);
// Lets the list box scroll sideways as far as its widest item, measured with the
// list's own font: names that differ only at their end (two Javas apart by their
// folders) must be readable. Called again whenever the items change; a list box
// shows the bar only while an item is wider than the list.
void fitListBoxExtent(HWND list);
// Selects the item whose data is `value`, wherever sorting put it; false when
// no item has it.
bool selectListBoxItemByData(HWND list, std::int32_t value);
// The item data of the selected item, or 0 when none is selected.
std::int32_t selectedListBoxData(HWND list);

}  // namespace quillmont::win32
