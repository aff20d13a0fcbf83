#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/starters/starter_record.h"

namespace quillmont {

// The starters of one kind, addressed by stable slot numbers, with the kind's two
// action settings. Slot 0 holds a placeholder that is never listed or counted.
//
// DefaultAction: -1 start the last used starter, 0 ask every time, n start slot n.
// LastAction:     0 none, n the slot started last.
class StarterList {
public:
    static constexpr std::int32_t kUseLastAction = -1;
    static constexpr std::int32_t kAsk = 0;
    // The highest slot number the settings store can load back.
    static constexpr int kMaxSlot = 256;

    StarterList();

    // The smallest occupied slot above `after`, or 0 when there is none.
    int nextSlot(int after) const;
    bool isOccupied(int slot) const;
    // The record in an occupied slot. Precondition: isOccupied(slot).
    StarterRecord& record(int slot);
    const StarterRecord& record(int slot) const;

    // Puts an empty record into the lowest empty slot from 1 up and returns it.
    // When slots 1 to kMaxSlot are all taken the list refuses and returns 0: a
    // starter in a higher slot would not survive a restart, and refusing keeps
    // every stored starter where it is.
    int addRecord();
    // Puts a record into exactly this slot (1 to kMaxSlot), growing the list and
    // replacing what the slot held. Used by loading.
    void placeRecord(int slot, StarterRecord record);
    // Empties the slot; a DefaultAction or LastAction naming it falls back to 0.
    void removeRecord(int slot);
    // Removes every slot, placeholder included, and zeroes both actions.
    void clear();
    // Recreates slot 0 after clear().
    void ensurePlaceholder();

    int slotCount() const { return static_cast<int>(slots_.size()); }

    std::int32_t defaultAction() const { return defaultAction_; }
    void setDefaultAction(std::int32_t action) { defaultAction_ = action; }
    std::int32_t lastAction() const { return lastAction_; }
    void setLastAction(std::int32_t action) { lastAction_ = action; }

    // The slot to start without asking; 0 means the user must choose.
    std::int32_t actionWithoutAsking() const;
    // The slot a selection dialog preselects; 0 means none.
    std::int32_t preselectedSlot() const;

private:
    std::vector<std::optional<StarterRecord>> slots_;
    std::int32_t defaultAction_ = kAsk;
    std::int32_t lastAction_ = 0;
};

}  // namespace quillmont
