#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/starters/starter_kind.h"
#include "core/starters/settings_store.h"
#include "core/starters/starter_list.h"
#include "platform/user_interface.h"

namespace quillmont {

// What the setup dialog shows and does, apart from the window system.

struct ListRow {
    WideString text;
    std::int32_t value;  // a slot, or for the action combo a DefaultAction value
};

inline constexpr char16_t kLastUsedActionEntry[] = u" <Last used action>";
inline constexpr char16_t kChoiceOnceOpenedEntry[] = u" <Choice once opened>";
inline constexpr char16_t kScanHint[] = u"Use SCAN buttons to detect J2SE/J2ME starters.";

// The starters of a list box, in slot order (the list box sorts them itself).
std::vector<ListRow> starterRows(const StarterList& list);

// The entries of a default-action combo in the order they are inserted, and the
// value of the one to select (nothing when DefaultAction names no starter).
struct ActionChoices {
    std::vector<ListRow> entries;
    std::optional<std::int32_t> selected;
};
ActionChoices actionChoices(const StarterList& list);

// The hint shows once, only when neither list holds a starter.
bool shouldShowScanHint(const StarterList& j2se, const StarterList& j2me);

// Edits a record in place; true when the user confirmed.
using EditStarter = std::function<bool(StarterRecord&)>;

// Add and Copy put a new record into the lowest free slot and let the user edit
// it; a cancelled edit frees the slot again. Both return the slot to select, or
// 0 when nothing was added (cancelled, or the list is full).
int addStarter(StarterList& list, const EditStarter& edit);
int copyStarter(StarterList& list, int source, const EditStarter& edit);
// Whether every slot of the list holds a starter, so that Add and Copy have no
// room; the setup dialog then says so (kListFullMessage) instead of doing nothing.
bool listIsFull(const StarterList& list);
inline constexpr char16_t kListFullMessage[] =
    u"The list is full: it holds 256 starters, the most it can keep. Delete a starter to add another.";
// Whether two lists hold the same starters in the same slots and the same default
// action (the last action is stored when it changes, never by OK).
bool sameStarters(const StarterList& a, const StarterList& b);
// Both lists as a setup dialog opened with them, J2SE first.
using OpenedLists = std::array<StarterList, 2>;
// What OK in the setup dialog stores, kind by kind. A list the dialog did not
// change is read again, so that what this process holds is what is stored and
// another setup window's save of it stays. A changed list is saved; but when the
// stored list is no longer the one the dialog opened with, another setup window
// saved it meanwhile, and the user is asked first (kReplaceStoredQuestion): No
// reads the stored list instead. A refused save is told to the user
// (kSaveFailedMessage) and gives false, the dialog then stays open; `opened`
// follows what is stored, so that trying again asks only about later saves.
bool saveChangedLists(SettingsStore& store, OpenedLists& opened, UserInterface& ui, WindowRef owner);
// Both take the kind's starters ("J2SE starters") for each %s.
inline constexpr char16_t kReplaceStoredQuestion[] =
    u"Another Quillmont Setup window has saved the %s since this one was opened. Replace them with the %s "
    u"shown here?";
inline constexpr char16_t kSaveFailedMessage[] =
    u"The %s could not be saved in the registry. Choose OK in Quillmont Setup to try again, or Cancel to give up "
    u"the changes that were not saved.";
// True when the user confirmed the edit of an existing starter.
bool editStarter(StarterList& list, int slot, const EditStarter& edit);

// The warning that asks before a starter is deleted.
WideString deleteWarning(const StarterRecord& record);

}  // namespace quillmont
