#include "core/starters/settings_store.h"

#include <string>

#include "core/text/ascii_case.h"
#include "core/text/number_parsing.h"

namespace quillmont {

namespace {

constexpr RegistryRoot kRoot = RegistryRoot::CurrentUser;
constexpr RegistryAccess kAccess = RegistryAccess::Full;
constexpr char16_t kDefaultAction[] = u"DefaultAction";
constexpr char16_t kLastAction[] = u"LastAction";
constexpr char16_t kName[] = u"Name";
constexpr char16_t kExecutableFile[] = u"ExecutableFile";
constexpr char16_t kArguments[] = u"Arguments";
constexpr char16_t kStartFolder[] = u"StartFolder";
// Enumeration steps that fail (rather than reporting the end) are passed over;
// this bounds how many a broken key can make us try.
constexpr std::uint32_t kMaxEnumFailures = 1024;

WideString decimal(int number) { return ascii(std::to_string(number).c_str()); }

// A value shorter than two characters reads as empty; otherwise as the text up
// to its first zero. The type is not examined.
WideString textOf(const RegistryValue& value) {
    if (value.bytes.size() < 2 * sizeof(char16_t)) return {};
    WideString text;
    for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(value.bytes[i] | (value.bytes[i + 1] << 8));
        if (unit == u'\0') break;
        text.push_back(unit);
    }
    return text;
}

// A missing value reads as its own name.
WideString readText(Registry& registry, const WideString& key, const char16_t* name) {
    const std::optional<RegistryValue> value = registry.queryValue(kRoot, key, name, kAccess);
    return value ? textOf(*value) : WideString(name);
}

// A value that older versions never wrote: missing reads as empty.
WideString readOptionalText(Registry& registry, const WideString& key, const char16_t* name) {
    const std::optional<RegistryValue> value = registry.queryValue(kRoot, key, name, kAccess);
    return value ? textOf(*value) : WideString();
}

// The first four bytes, whatever the type (fewer count as zero bytes); missing is 0.
std::int32_t readNumber(Registry& registry, const WideString& key, const char16_t* name) {
    const std::optional<RegistryValue> value = registry.queryValue(kRoot, key, name, kAccess);
    if (!value) return 0;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4 && i < value->bytes.size(); ++i) number |= std::uint32_t{value->bytes[i]} << (8 * i);
    return static_cast<std::int32_t>(number);
}

// The slot a subkey name stands for, or 0 when it names none that can be loaded.
int slotOfName(const WideString& name) {
    const std::int64_t number = parseLeadingInteger(name);
    return number >= 1 && number <= StarterList::kMaxSlot ? static_cast<int>(number) : 0;
}

bool isOneOf(const WideString& name, std::initializer_list<const char16_t*> names) {
    for (const char16_t* candidate : names)
        if (equalsIgnoringAsciiCase(name, candidate)) return true;
    return false;
}

// Calls `visit` for each name an enumeration gives, passing over failed steps.
template <class Enumerate, class Visit>
void forEachName(Enumerate enumerate, Visit visit) {
    std::uint32_t failures = 0;
    for (std::uint32_t index = 0;; ++index) {
        const EnumResult found = enumerate(index);
        if (found.status == EnumStatus::NoMoreItems) return;
        if (found.status == EnumStatus::Failed) {
            if (++failures > kMaxEnumFailures) return;
            continue;
        }
        visit(found.name);
    }
}

}  // namespace

SettingsStore::SettingsStore(Registry& registry) : registry_(registry) {}

StarterList& SettingsStore::list(StarterKind kind) { return kind == StarterKind::J2SE ? j2se_ : j2me_; }

WideString SettingsStore::kindKey(StarterKind kind) {
    return WideString(kSettingsKey) + (kind == StarterKind::J2SE ? u"\\J2SE" : u"\\J2ME");
}

void SettingsStore::load() {
    j2se_.clear();
    j2me_.clear();
    loadKind(StarterKind::J2SE, j2se_);
    loadKind(StarterKind::J2ME, j2me_);
}

void SettingsStore::load(StarterKind kind) {
    list(kind).clear();
    loadKind(kind, list(kind));
}

StarterList SettingsStore::stored(StarterKind kind) {
    StarterList starters;
    loadKind(kind, starters);
    return starters;
}

void SettingsStore::loadKind(StarterKind kind, StarterList& starters) {
    starters.ensurePlaceholder();
    const WideString key = kindKey(kind);
    if (!registry_.keyExists(kRoot, key, kAccess)) return;

    // A name that is not a slot number, or a step that fails, is passed over, so
    // that every valid slot loads wherever it falls in the enumeration.
    forEachName([&](std::uint32_t index) { return registry_.enumSubkey(kRoot, key, index, kAccess); },
                [&](const WideString& name) {
                    const int slot = slotOfName(name);
                    if (slot == 0) return;
                    const WideString subkey = key + u"\\" + name;
                    // A key with no value at all is what a save cut off right after
                    // creating it leaves: no starter, and no reason to displace one
                    // stored under another name for the slot ("07" beside "7").
                    if (registry_.enumValue(kRoot, subkey, 0, kAccess).status != EnumStatus::Found) return;
                    starters.placeRecord(slot, {readText(registry_, subkey, kName),
                                                readText(registry_, subkey, kExecutableFile),
                                                readText(registry_, subkey, kArguments),
                                                readOptionalText(registry_, subkey, kStartFolder)});
                });

    const std::int32_t defaultAction = readNumber(registry_, key, kDefaultAction);
    if (defaultAction == StarterList::kUseLastAction || defaultAction == StarterList::kAsk ||
        starters.isOccupied(defaultAction))
        starters.setDefaultAction(defaultAction);
    const std::int32_t lastAction = readNumber(registry_, key, kLastAction);
    if (starters.isOccupied(lastAction)) starters.setLastAction(lastAction);
}

bool SettingsStore::save() { return saveKind(StarterKind::J2SE) && saveKind(StarterKind::J2ME); }

// The first refused write ends the save: going on would store a slot's key
// without the values that make it a starter, and would remove what the list
// lacks although the list itself is not all stored.
bool SettingsStore::saveKind(StarterKind kind) {
    const StarterList& starters = list(kind);
    const WideString key = kindKey(kind);
    if (!registry_.createKey(kRoot, key) ||
        !registry_.setDword(kRoot, key, kDefaultAction, static_cast<std::uint32_t>(starters.defaultAction())) ||
        !registry_.setDword(kRoot, key, kLastAction, static_cast<std::uint32_t>(starters.lastAction())))
        return false;
    for (int slot = starters.nextSlot(0); slot != 0; slot = starters.nextSlot(slot)) {
        const WideString subkey = key + u"\\" + decimal(slot);
        const StarterRecord& record = starters.record(slot);
        if (!registry_.createKey(kRoot, subkey) || !registry_.setString(kRoot, subkey, kName, record.name) ||
            !registry_.setString(kRoot, subkey, kExecutableFile, record.executableFile) ||
            !registry_.setString(kRoot, subkey, kArguments, record.arguments) ||
            (!record.startFolder.empty() && !registry_.setString(kRoot, subkey, kStartFolder, record.startFolder)))
            return false;
    }
    return removeWhatTheListLacks(kind);
}

// Only after everything is written: the subkeys and values that the saved list
// does not have go, so that the kind's key ends up holding exactly the list.
bool SettingsStore::removeWhatTheListLacks(StarterKind kind) {
    const StarterList& starters = list(kind);
    const WideString key = kindKey(kind);
    auto collect = [&](const WideString& path, bool subkeys) {
        std::vector<WideString> names;
        forEachName(
            [&](std::uint32_t index) {
                return subkeys ? registry_.enumSubkey(kRoot, path, index, kAccess)
                               : registry_.enumValue(kRoot, path, index, kAccess);
            },
            [&](const WideString& name) { names.push_back(name); });
        return names;
    };

    for (const WideString& name : collect(key, false))
        if (!isOneOf(name, {kDefaultAction, kLastAction}) && !registry_.deleteValue(kRoot, key, name)) return false;
    for (const WideString& name : collect(key, true)) {
        const WideString subkey = key + u"\\" + name;
        const int slot = slotOfName(name);
        if (slot == 0 || name != decimal(slot) || !starters.isOccupied(slot)) {
            if (!registry_.deleteTree(kRoot, subkey)) return false;
            continue;
        }
        const bool hasFolder = !starters.record(slot).startFolder.empty();
        for (const WideString& value : collect(subkey, false))
            if (!isOneOf(value, {kName, kExecutableFile, kArguments, hasFolder ? kStartFolder : kName}) &&
                !registry_.deleteValue(kRoot, subkey, value))
                return false;
        for (const WideString& child : collect(subkey, true))
            if (!registry_.deleteTree(kRoot, subkey + u"\\" + child)) return false;
    }
    return true;
}

void SettingsStore::storeLastAction(StarterKind kind, std::int32_t slot) {
    list(kind).setLastAction(slot);
    const WideString key = kindKey(kind);
    if (registry_.createKey(kRoot, key)) registry_.setDword(kRoot, key, kLastAction, static_cast<std::uint32_t>(slot));
}

}  // namespace quillmont
