#include "core/scan/java_folders.h"

#include "core/scan/java_vendor.h"
#include "core/text/ascii_case.h"
#include "core/text/path_parts.h"
#include "core/text/trim.h"

namespace quillmont {

namespace {

// The folders under Program Files and Programs that vendors' installers and
// unpacked archives use.
constexpr const char16_t* kVendorFolders[] = {u"Java",     u"Eclipse Adoptium", u"AdoptOpenJDK", u"Amazon Corretto",
                                              u"Zulu",     u"BellSoft",         u"Microsoft",    u"Semeru"};

}  // namespace

std::vector<FoundJavaHome> JavaFolders::homes() {
    found_.clear();
    for (const char16_t* name : {u"JAVA_HOME", u"JDK_HOME"}) {
        const WideString home = variable(name);
        if (!home.empty()) addIfHome(home, {});
    }
    fromPath();

    std::vector<WideString> bases;
    for (const char16_t* name : {u"ProgramFiles", u"ProgramFiles(x86)"}) {
        const WideString base = variable(name);
        // A 32-bit Windows has one Program Files folder under both names.
        if (!base.empty() && (bases.empty() || environment_.lowerCase(bases.front()) != environment_.lowerCase(base)))
            bases.push_back(base);
    }
    const WideString localPrograms = variable(u"LOCALAPPDATA");
    if (!localPrograms.empty()) bases.push_back(joinPath(localPrograms, u"Programs"));
    for (const WideString& base : bases)
        for (const char16_t* vendor : kVendorFolders) childrenOf(joinPath(base, vendor), knownJavaVendor(vendor), false);

    const WideString profile = variable(u"USERPROFILE");
    if (!profile.empty()) {
        childrenOf(joinPath(profile, u".jdks"), {}, false);
        childrenOf(joinPath(profile, u".gradle\\jdks"), {}, true);
    }
    WideString scoop = variable(u"SCOOP");
    if (scoop.empty() && !profile.empty()) scoop = joinPath(profile, u"scoop");
    if (!scoop.empty()) {
        NameList apps;
        utilities_.enumSubfolders(joinPath(scoop, u"apps"), apps);
        for (const WideString& app : apps) addIfHome(joinPath(scoop, u"apps\\" + app + u"\\current"), {});
    }
    return std::move(found_);
}

WideString JavaFolders::variable(const WideString& name) {
    return withoutTrailingSeparators(unquoted(environment_.variable(name).value_or(WideString())));
}

void JavaFolders::fromPath() {
    const WideString path = environment_.variable(u"PATH").value_or(WideString());
    std::size_t at = 0;
    while (at <= path.size()) {
        std::size_t end = path.find(u';', at);
        if (end == WideString::npos) end = path.size();
        const WideString folder = withoutTrailingSeparators(unquoted(path.substr(at, end - at)));
        at = end + 1;
        // Oracle's javapath folders hold a java.exe that only starts another
        // installation's; like any launcher outside a bin folder, it has no home
        // around it to propose.
        if (equalsIgnoringAsciiCase(fileNameOf(folder), u"bin")) addIfHome(folderOf(folder), {});
    }
}

void JavaFolders::childrenOf(const WideString& root, const WideString& vendorHint, bool nested) {
    NameList children;
    utilities_.enumSubfolders(root, children);
    for (const WideString& child : children) {
        const WideString folder = joinPath(root, child);
        if (addIfHome(folder, vendorHint) || !nested) continue;
        NameList inner;
        utilities_.enumSubfolders(folder, inner);
        for (const WideString& name : inner) addIfHome(joinPath(folder, name), vendorHint);
    }
}

bool JavaFolders::addIfHome(const WideString& folder, const WideString& vendorHint) {
    if (!utilities_.fileExists(joinPath(folder, u"bin\\java.exe"))) return false;
    found_.push_back({folder, vendorHint});
    return true;
}

}  // namespace quillmont
