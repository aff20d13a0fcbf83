#include "core/setup/setup_model.h"

#include "core/text/message_format.h"

namespace quillmont {

std::vector<ListRow> starterRows(const StarterList& list) {
    std::vector<ListRow> rows;
    for (int slot = list.nextSlot(0); slot != 0; slot = list.nextSlot(slot)) rows.push_back({list.record(slot).name, slot});
    return rows;
}

ActionChoices actionChoices(const StarterList& list) {
    ActionChoices choices;
    choices.entries.push_back({kLastUsedActionEntry, StarterList::kUseLastAction});
    choices.entries.push_back({kChoiceOnceOpenedEntry, StarterList::kAsk});
    for (const ListRow& row : starterRows(list)) choices.entries.push_back(row);
    const std::int32_t current = list.defaultAction();
    for (const ListRow& entry : choices.entries)
        if (entry.value == current) choices.selected = current;
    return choices;
}

bool shouldShowScanHint(const StarterList& j2se, const StarterList& j2me) {
    return j2se.nextSlot(0) == 0 && j2me.nextSlot(0) == 0;
}

namespace {
int editNewRecord(StarterList& list, int slot, const EditStarter& edit) {
    if (edit(list.record(slot))) return slot;
    list.removeRecord(slot);
    return 0;
}
}  // namespace

int addStarter(StarterList& list, const EditStarter& edit) {
    const int slot = list.addRecord();
    return slot == 0 ? 0 : editNewRecord(list, slot, edit);
}

bool sameStarters(const StarterList& a, const StarterList& b) {
    if (a.defaultAction() != b.defaultAction()) return false;
    int slot = a.nextSlot(0);
    for (; slot != 0; slot = a.nextSlot(slot))
        if (!b.isOccupied(slot) || !(a.record(slot) == b.record(slot))) return false;
    for (slot = b.nextSlot(0); slot != 0; slot = b.nextSlot(slot))
        if (!a.isOccupied(slot)) return false;
    return true;
}

namespace {
WideString startersOf(StarterKind kind) { return kind == StarterKind::J2SE ? u"J2SE starters" : u"J2ME starters"; }
}  // namespace

bool saveChangedLists(SettingsStore& store, OpenedLists& opened, UserInterface& ui, WindowRef owner) {
    for (const StarterKind kind : {StarterKind::J2SE, StarterKind::J2ME}) {
        StarterList& openedList = opened[kind == StarterKind::J2SE ? 0 : 1];
        const WideString starters = startersOf(kind);
        bool keepStored = sameStarters(store.list(kind), openedList);
        if (!keepStored) {
            // Stored is no longer what the dialog opened with: another window
            // saved it meanwhile, and unless it saved just this, the user decides.
            const StarterList stored = store.stored(kind);
            keepStored = !sameStarters(stored, openedList) && !sameStarters(stored, store.list(kind)) &&
                         ui.showMessage(owner, formatValues(kReplaceStoredQuestion, {starters, starters}),
                                        MessageKind::Confirmation) != MessageAnswer::Yes;
        }
        if (keepStored) {
            store.load(kind);
            openedList = store.list(kind);
        } else if (store.save(kind)) {
            openedList = store.list(kind);
        } else {
            // Part of this list may be stored now; that part is no other window's.
            openedList = store.stored(kind);
            ui.showMessage(owner, formatText(kSaveFailedMessage, starters), MessageKind::ValidationError);
            return false;
        }
    }
    return true;
}

bool listIsFull(const StarterList& list) {
    int occupied = 0;
    for (int slot = list.nextSlot(0); slot != 0; slot = list.nextSlot(slot)) ++occupied;
    return occupied >= StarterList::kMaxSlot;
}

int copyStarter(StarterList& list, int source, const EditStarter& edit) {
    if (!list.isOccupied(source)) return 0;
    const int slot = list.addRecord();
    if (slot == 0) return 0;
    // Look the source up only after adding: adding may move the records.
    list.record(slot) = list.record(source);
    return editNewRecord(list, slot, edit);
}

bool editStarter(StarterList& list, int slot, const EditStarter& edit) {
    return list.isOccupied(slot) && edit(list.record(slot));
}

WideString deleteWarning(const StarterRecord& record) {
    return u"The JAR starter \"" + record.name + u"\" will be deleted.";
}

}  // namespace quillmont
