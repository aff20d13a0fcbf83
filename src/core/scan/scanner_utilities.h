#pragma once

#include <vector>

#include "base/wide_string.h"
// joinPath, which every scanner joins its folders with.
#include "core/text/path_parts.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace quillmont {

// An ordered sequence of names, in the order the system gave them.
using NameList = std::vector<WideString>;

// What every scanner looks through: registry values and subkeys, and folders.
// Holds the ports and nothing else, so every call stands alone; each opens and
// closes what it reads, and every failure gives an empty result, which callers
// take as "nothing here". Registry keys open for reading only, in the view that
// the caller names (the program's own when it names none).
class ScannerUtilities {
public:
    ScannerUtilities(Registry& registry, Files& files) : registry_(registry), files_(files) {}

    // The value's text up to its first zero, whatever its type; empty when the key
    // or value is missing or holds fewer than two characters.
    WideString readRegistryString(RegistryRoot root, const WideString& keyPath, const WideString& valueName,
                                  RegistryView view = RegistryView::Own) const;
    // The key's direct subkeys, until the first step that fails.
    void enumRegistrySubkeys(RegistryRoot root, const WideString& keyPath, NameList& names,
                             RegistryView view = RegistryView::Own) const;

    // A file or a folder is at the path.
    bool fileExists(const WideString& path) const;
    // The absolute, normalised path; empty when it cannot be formed.
    WideString fullPath(const WideString& path) const;
    // The folder's direct subfolders, without "." and "..".
    void enumSubfolders(const WideString& folder, NameList& names) const;
    // The files (never folders) of the folder that the wildcard pattern names.
    void enumFiles(const WideString& folder, const WideString& pattern, NameList& names) const;

private:
    Registry& registry_;
    Files& files_;
};

// What ScannerUtilities::readRegistryString reads, for code that has no scanner.
WideString readRegistryText(Registry& registry, RegistryRoot root, const WideString& keyPath,
                            const WideString& valueName, RegistryView view = RegistryView::Own);

}  // namespace quillmont
