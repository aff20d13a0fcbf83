#include "core/scan/scanner_utilities.h"

namespace quillmont {

WideString ScannerUtilities::readRegistryString(RegistryRoot root, const WideString& keyPath,
                                                const WideString& valueName, RegistryView view) const {
    return readRegistryText(registry_, root, keyPath, valueName, view);
}

WideString readRegistryText(Registry& registry, RegistryRoot root, const WideString& keyPath,
                            const WideString& valueName, RegistryView view) {
    const std::optional<RegistryValue> value =
        registry.queryValue(root, keyPath, valueName, RegistryAccess::readIn(view));
    if (!value) return {};
    const std::size_t characters = value->bytes.size() / 2;
    // A value that holds only its terminating zero, or nothing, is empty.
    if (characters < 2) return {};
    WideString text;
    for (std::size_t i = 0; i < characters; ++i) {
        const auto unit = static_cast<char16_t>(value->bytes[2 * i] | (value->bytes[2 * i + 1] << 8));
        if (unit == u'\0') break;
        text.push_back(unit);
    }
    return text;
}

void ScannerUtilities::enumRegistrySubkeys(RegistryRoot root, const WideString& keyPath, NameList& names,
                                           RegistryView view) const {
    names.clear();
    for (std::uint32_t index = 0;; ++index) {
        EnumResult found = registry_.enumSubkey(root, keyPath, index, RegistryAccess::readIn(view));
        if (found.status != EnumStatus::Found) return;
        names.push_back(std::move(found.name));
    }
}

bool ScannerUtilities::fileExists(const WideString& path) const { return files_.attributes(path).has_value(); }

WideString ScannerUtilities::fullPath(const WideString& path) const { return files_.fullPath(path); }

void ScannerUtilities::enumSubfolders(const WideString& folder, NameList& names) const {
    names.clear();
    for (DirectoryEntry& entry : files_.findEntries(joinPath(folder, u"*.*")))
        if (entry.directory && entry.name != u"." && entry.name != u"..") names.push_back(std::move(entry.name));
}

void ScannerUtilities::enumFiles(const WideString& folder, const WideString& pattern, NameList& names) const {
    names.clear();
    for (DirectoryEntry& entry : files_.findEntries(joinPath(folder, pattern)))
        if (!entry.directory) names.push_back(std::move(entry.name));
}

}  // namespace quillmont
