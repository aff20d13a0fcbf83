#pragma once

#include <cstdint>
#include <functional>

#include "core/starters/starter_kind.h"
#include "core/starters/starter_list.h"
#include "platform/registry.h"

namespace quillmont {

// The two starter lists and their persistence under
// HKEY_CURRENT_USER\Software\Brenwick\Quillmont\setup1\{J2SE,J2ME}:
//   DefaultAction, LastAction  REG_DWORD
//   <slot>\Name, <slot>\ExecutableFile, <slot>\Arguments  REG_SZ
//   <slot>\StartFolder  REG_SZ, only for a starter that has one
// Reading fails silently: what cannot be read is not there. A save stops at the
// first write the registry refuses and says so.
class SettingsStore {
public:
    static constexpr char16_t kSettingsKey[] = u"Software\\Brenwick\\Quillmont\\setup1";

    explicit SettingsStore(Registry& registry);

    StarterList& list(StarterKind kind);

    // Replaces both lists by what the registry holds.
    void load();
    // The same for one kind's list alone.
    void load(StarterKind kind);
    // Replaces what the registry holds by both lists. Writes first, removes what
    // the lists no longer have last, so that a save cut off midway never loses a
    // starter that was stored before. False when a write was refused; the save
    // went no further than that write.
    bool save();
    // The same for one kind's list alone; the other kind's key is not touched.
    bool save(StarterKind kind) { return saveKind(kind); }
    // What the registry holds for the kind now, leaving the list in memory alone.
    StarterList stored(StarterKind kind);
    // Sets the kind's LastAction and writes that one value at once.
    void storeLastAction(StarterKind kind, std::int32_t slot);

    static WideString kindKey(StarterKind kind);

private:
    void loadKind(StarterKind kind, StarterList& starters);
    bool saveKind(StarterKind kind);
    bool removeWhatTheListLacks(StarterKind kind);

    Registry& registry_;
    StarterList j2se_;
    StarterList j2me_;
};

// How the store is reached: a call, so that the lists load when first needed.
using SettingsAccess = std::function<SettingsStore&()>;

}  // namespace quillmont
