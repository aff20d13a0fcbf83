#include <gtest/gtest.h>

#include "core/starters/starter_list.h"

using namespace quillmont;

namespace {

StarterList listWith(int count) {
    StarterList list;
    for (int i = 0; i < count; ++i) list.record(list.addRecord()).name = u"starter";
    return list;
}

std::vector<int> occupiedSlots(const StarterList& list) {
    std::vector<int> slots;
    for (int s = list.nextSlot(0); s != 0; s = list.nextSlot(s)) slots.push_back(s);
    return slots;
}

}  // namespace

TEST(StarterList, NewListHasOnlyThePlaceholder) {
    StarterList list;
    EXPECT_EQ(list.nextSlot(0), 0);
    EXPECT_EQ(list.slotCount(), 1);
    EXPECT_FALSE(list.isOccupied(0));
    EXPECT_EQ(list.defaultAction(), 0);
    EXPECT_EQ(list.lastAction(), 0);
}

TEST(StarterList, FreedSlotsAreReusedLowestFirstBeforeTheListGrows) {
    StarterList list = listWith(3);
    list.removeRecord(2);
    EXPECT_EQ(occupiedSlots(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.addRecord(), 2);
    EXPECT_EQ(list.addRecord(), 4);
    EXPECT_EQ(list.record(4), StarterRecord{});
}

TEST(StarterList, RemovingTheDefaultStarterResetsItToAsk) {
    StarterList list = listWith(3);
    list.setDefaultAction(3);
    list.setLastAction(3);
    list.removeRecord(3);
    EXPECT_EQ(list.defaultAction(), StarterList::kAsk);
    EXPECT_EQ(list.lastAction(), 0);
}

TEST(StarterList, RemovingTheLastUsedStarterKeepsUseLastButAsksNextTime) {
    StarterList list = listWith(2);
    list.setDefaultAction(StarterList::kUseLastAction);
    list.setLastAction(2);
    EXPECT_EQ(list.actionWithoutAsking(), 2);
    list.removeRecord(2);
    EXPECT_EQ(list.defaultAction(), StarterList::kUseLastAction);
    EXPECT_EQ(list.lastAction(), 0);
    EXPECT_EQ(list.actionWithoutAsking(), 0);
}

TEST(StarterList, RemovingAnotherSlotLeavesTheActionsAlone) {
    StarterList list = listWith(3);
    list.setDefaultAction(1);
    list.setLastAction(3);
    list.removeRecord(2);
    list.removeRecord(2);   // already empty
    list.removeRecord(0);   // the placeholder is never removed
    list.removeRecord(99);  // beyond the end
    EXPECT_EQ(list.defaultAction(), 1);
    EXPECT_EQ(list.lastAction(), 3);
    EXPECT_EQ(list.slotCount(), 4);
}

TEST(StarterList, DerivedActions) {
    StarterList list = listWith(3);
    struct Case {
        std::int32_t defaultAction, lastAction, withoutAsking, preselected;
    };
    for (const Case& c : {Case{0, 0, 0, 0}, Case{0, 2, 0, 2}, Case{-1, 0, 0, 0}, Case{-1, 3, 3, 3},
                          Case{1, 3, 1, 1}, Case{2, 0, 2, 2}}) {
        list.setDefaultAction(c.defaultAction);
        list.setLastAction(c.lastAction);
        EXPECT_EQ(list.actionWithoutAsking(), c.withoutAsking) << c.defaultAction << "/" << c.lastAction;
        EXPECT_EQ(list.preselectedSlot(), c.preselected) << c.defaultAction << "/" << c.lastAction;
    }
}

TEST(StarterList, AFullListRefusesTheNextStarterAndKeepsEveryOther) {
    StarterList list = listWith(StarterList::kMaxSlot);
    list.setDefaultAction(256);
    EXPECT_EQ(list.addRecord(), 0);
    EXPECT_EQ(list.slotCount(), 257);
    EXPECT_EQ(occupiedSlots(list).size(), 256u);
    EXPECT_EQ(list.defaultAction(), 256);

    list.removeRecord(17);
    EXPECT_EQ(list.addRecord(), 17);
    EXPECT_EQ(list.addRecord(), 0);
}

TEST(StarterList, PlaceRecordGrowsWithGapsAndReplaces) {
    StarterList list;
    list.placeRecord(10, {u"ten", u"", u""});
    list.placeRecord(3, {u"three", u"", u""});
    list.placeRecord(3, {u"newer three", u"", u""});
    list.placeRecord(0, {u"never", u"", u""});
    list.placeRecord(257, {u"never", u"", u""});
    list.placeRecord(-1, {u"never", u"", u""});
    EXPECT_EQ(occupiedSlots(list), (std::vector<int>{3, 10}));
    EXPECT_EQ(list.record(3).name, u"newer three");
    EXPECT_EQ(list.addRecord(), 1);
    EXPECT_EQ(list.addRecord(), 2);
    EXPECT_EQ(list.addRecord(), 4);
}

TEST(StarterList, ClearRemovesEverySlotUntilThePlaceholderReturns) {
    StarterList list = listWith(2);
    list.setDefaultAction(-1);
    list.setLastAction(2);
    list.clear();
    EXPECT_EQ(list.slotCount(), 0);
    EXPECT_EQ(list.defaultAction(), 0);
    EXPECT_EQ(list.lastAction(), 0);
    EXPECT_EQ(list.nextSlot(0), 0);
    list.ensurePlaceholder();
    EXPECT_EQ(list.slotCount(), 1);
    EXPECT_EQ(list.addRecord(), 1);
}
