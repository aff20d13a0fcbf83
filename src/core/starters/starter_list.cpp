#include "core/starters/starter_list.h"

#include <cassert>
#include <utility>

namespace quillmont {

StarterList::StarterList() { ensurePlaceholder(); }

int StarterList::nextSlot(int after) const {
    for (int slot = after < 0 ? 1 : after + 1; slot < slotCount(); ++slot) {
        if (slot >= 1 && slots_[slot].has_value()) return slot;
    }
    return 0;
}

bool StarterList::isOccupied(int slot) const {
    return slot >= 1 && slot < slotCount() && slots_[slot].has_value();
}

StarterRecord& StarterList::record(int slot) {
    assert(isOccupied(slot));
    return *slots_[slot];
}

const StarterRecord& StarterList::record(int slot) const {
    assert(isOccupied(slot));
    return *slots_[slot];
}

int StarterList::addRecord() {
    ensurePlaceholder();
    for (int slot = 1; slot < slotCount() && slot <= kMaxSlot; ++slot) {
        if (!slots_[slot].has_value()) {
            slots_[slot].emplace();
            return slot;
        }
    }
    if (slotCount() > kMaxSlot) return 0;
    slots_.emplace_back(StarterRecord{});
    return slotCount() - 1;
}

void StarterList::placeRecord(int slot, StarterRecord record) {
    if (slot < 1 || slot > kMaxSlot) return;
    ensurePlaceholder();
    if (slot >= slotCount()) slots_.resize(static_cast<std::size_t>(slot) + 1);
    slots_[slot] = std::move(record);
}

void StarterList::removeRecord(int slot) {
    if (!isOccupied(slot)) return;
    slots_[slot].reset();
    if (defaultAction_ == slot) defaultAction_ = kAsk;
    if (lastAction_ == slot) lastAction_ = 0;
}

void StarterList::clear() {
    slots_.clear();
    defaultAction_ = kAsk;
    lastAction_ = 0;
}

void StarterList::ensurePlaceholder() {
    if (slots_.empty()) slots_.emplace_back(StarterRecord{});
}

std::int32_t StarterList::actionWithoutAsking() const {
    return defaultAction_ == kUseLastAction ? lastAction_ : defaultAction_;
}

std::int32_t StarterList::preselectedSlot() const {
    return defaultAction_ >= 1 ? defaultAction_ : lastAction_;
}

}  // namespace quillmont
