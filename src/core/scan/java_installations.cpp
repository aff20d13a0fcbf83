#include "core/scan/java_installations.h"

#include "core/scan/executable_machine.h"
#include "core/scan/java_folders.h"
#include "core/scan/java_vendor.h"
#include "core/text/message_format.h"

namespace quillmont {

namespace {

// Oracle's and OpenJDK's installers since Java 9.
constexpr char16_t kRuntimeKey[] = u"SOFTWARE\\JavaSoft\\JRE";
constexpr char16_t kKitKey[] = u"SOFTWARE\\JavaSoft\\JDK";
// SOFTWARE\<vendor>\{JRE,JDK}\<version>\<virtual machine>\MSI, value "Path".
constexpr const char16_t* kMsiVendors[] = {u"Eclipse Adoptium", u"AdoptOpenJDK", u"Eclipse Foundation", u"Semeru",
                                           u"Microsoft"};
// <key>\<name>, value "InstallationPath"; the key does not say whether it is a kit.
constexpr const char16_t* kInstallationPathKeys[] = {u"SOFTWARE\\Azul Systems\\Zulu",
                                                     u"SOFTWARE\\Azul Systems\\Zulu 32-bit",
                                                     u"SOFTWARE\\BellSoft\\Liberica"};

// "21.0.1.12"; nothing for 0.0.0.0, which says no more than a missing resource.
WideString fixedVersionText(const FixedFileVersion& version) {
    if (version == FixedFileVersion{}) return {};
    WideString text;
    for (std::uint16_t part : version) {
        if (!text.empty()) text += u'.';
        text += decimalText(part);
    }
    return text;
}

// "8.0.392.8" is a version; so is the tail of "jdk-17.0.9". "zulu-8", "jdk-8" and
// "21" name only the feature release and are not.
WideString subkeyVersion(const WideString& name) {
    if (J2seScanner::isFullVersion(name)) return name;
    const std::size_t dash = name.rfind(u'-');
    if (dash == WideString::npos) return {};
    WideString tail = name.substr(dash + 1);
    return J2seScanner::isFullVersion(tail) ? tail : WideString();
}

// "SOFTWARE\Azul Systems\Zulu" -> "Azul Systems"
WideString vendorOf(const WideString& key) {
    const std::size_t start = key.find(u'\\') + 1;
    return key.substr(start, key.find(u'\\', start) - start);
}

}  // namespace

bool JavaInstallations::isMachine32(Place place) {
    return place.root == RegistryRoot::LocalMachine && place.view == RegistryView::Bits32;
}

void JavaInstallations::scan() {
    // The 64-bit view of HKEY_LOCAL_MACHINE is the program's own: what the classic
    // keys give there is proposed already and skipped. The current user's keys are
    // shared by both views on today's Windows; reading both costs a few opens.
    for (Place place : {Place{RegistryRoot::LocalMachine, RegistryView::Bits64},
                        Place{RegistryRoot::LocalMachine, RegistryView::Bits32},
                        Place{RegistryRoot::CurrentUser, RegistryView::Bits64},
                        Place{RegistryRoot::CurrentUser, RegistryView::Bits32}})
        scanPlace(place);
    for (const FoundJavaHome& found : JavaFolders(utilities_, platform_.environment).homes())
        proposeHome({found.folder, {}, HomeKind::ByContents, false, false, found.vendorHint});
}

void JavaInstallations::scanPlace(Place place) {
    scanJavaHomeKey(place, J2seScanner::kRuntimeKey, HomeKind::Runtime, true);
    scanJavaHomeKey(place, J2seScanner::kDevelopmentKitKey, HomeKind::DevelopmentKit, true);
    scanJavaHomeKey(place, kRuntimeKey, HomeKind::Runtime, false);
    scanJavaHomeKey(place, kKitKey, HomeKind::DevelopmentKit, false);
    for (const char16_t* vendor : kMsiVendors) {
        const WideString key = WideString(u"SOFTWARE\\") + vendor;
        scanVendorKey(place, key + u"\\JRE", HomeKind::Runtime);
        scanVendorKey(place, key + u"\\JDK", HomeKind::DevelopmentKit);
    }
    for (const char16_t* key : kInstallationPathKeys) scanInstallationPathKey(place, key);
}

void JavaInstallations::scanJavaHomeKey(Place place, const WideString& key, HomeKind kind, bool classic) {
    NameList names;
    utilities_.enumRegistrySubkeys(place.root, key, names, place.view);
    for (const WideString& name : names)
        proposeHome({utilities_.readRegistryString(place.root, key + u"\\" + name, u"JavaHome", place.view), name,
                     kind, classic, isMachine32(place), {}});
}

void JavaInstallations::scanVendorKey(Place place, const WideString& key, HomeKind kind) {
    NameList versions;
    utilities_.enumRegistrySubkeys(place.root, key, versions, place.view);
    for (const WideString& version : versions) {
        NameList machines;  // "hotspot", "openj9"
        utilities_.enumRegistrySubkeys(place.root, key + u"\\" + version, machines, place.view);
        // The installer's "Path"; its "JavaHome" value here is a flag, not a folder.
        for (const WideString& machine : machines)
            proposeHome({utilities_.readRegistryString(place.root, key + u"\\" + version + u"\\" + machine + u"\\MSI",
                                                       u"Path", place.view),
                         version, kind, false, isMachine32(place), javaVendorName(vendorOf(key))});
    }
}

void JavaInstallations::scanInstallationPathKey(Place place, const WideString& key) {
    NameList names;
    utilities_.enumRegistrySubkeys(place.root, key, names, place.view);
    for (const WideString& name : names)
        proposeHome({utilities_.readRegistryString(place.root, key + u"\\" + name, u"InstallationPath", place.view),
                     name, HomeKind::ByContents, false, isMachine32(place), javaVendorName(vendorOf(key))});
}

void JavaInstallations::proposeHome(const Home& home) {
    if (home.folder.empty()) return;
    const bool kit = home.kind == HomeKind::DevelopmentKit ||
                     (home.kind == HomeKind::ByContents &&
                      utilities_.fileExists(joinPath(home.folder, u"bin\\javac.exe")));
    // The classic keys are read as they always were, without a release file.
    const std::optional<JavaRelease> release =
        home.classic ? std::nullopt : JavaRelease::read(platform_.files, home.folder);
    if (kit)
        for (const Launcher& launcher : J2seScanner::kKitLaunchers) propose(home, launcher, release);
    else
        for (const Launcher& launcher : J2seScanner::kRuntimeLaunchers) propose(home, launcher, release);
}

void JavaInstallations::propose(const Home& home, const Launcher& launcher, const std::optional<JavaRelease>& release) {
    const WideString executable = joinPath(home.folder, launcher.executable);
    if (proposedAlready(executable)) return;
    WideString version;
    WideString vendor = home.vendor;
    if (home.classic) {
        version = scanner_.javaVersionOf(executable, home.subkey);
    } else {
        // Uninstalled runtimes often leave their keys behind.
        if (!utilities_.fileExists(executable)) return;
        if (release) version = release->version;
        if (version.empty()) version = launcherVersion(executable);
        if (version.empty()) version = subkeyVersion(home.subkey);
        if (release && !javaVendorName(release->implementor).empty()) vendor = javaVendorName(release->implementor);
    }
    if (version.empty()) return;

    // The release file and the launcher's own header say for sure; the 32-bit view
    // is only a hint (the current user's keys are one for both views).
    bool bits32 = home.registered32;
    const std::optional<bool> released32 = release ? release->is32Bit() : std::nullopt;
    if (released32) {
        bits32 = *released32;
    } else {
        switch (executableBitness(platform_.files, executable)) {
        case ExecutableBitness::Bits32: bits32 = true; break;
        case ExecutableBitness::Bits64: bits32 = false; break;
        case ExecutableBitness::Unknown: break;
        }
    }
    proposedPaths_.insert(pathKey(executable));
    scanner_.offer({J2seScanner::proposalFor(launcher, executable, version, bits32, vendor), home.folder, home.classic});
}

// "Full Version" up to its first "-", as for the classic keys, else the fixed file
// version.
WideString JavaInstallations::launcherVersion(const WideString& executable) {
    const WideString full = scanner_.fullVersionOf(executable);
    if (!full.empty()) return full;
    const std::optional<FixedFileVersion> fixed = platform_.versions.fixedFileVersion(executable);
    return fixed ? fixedVersionText(*fixed) : WideString();
}

// One installation reached through several keys or views is one proposal.
bool JavaInstallations::proposedAlready(const WideString& executable) {
    // Kept as a set so that a machine with many runtimes costs one lower-casing per launcher.
    if (proposedPaths_.empty())
        for (const J2seScanner::Offer& earlier : scanner_.offers())
            proposedPaths_.insert(pathKey(earlier.proposal.starter.executableFile));
    return proposedPaths_.count(pathKey(executable)) != 0;
}

// A launcher's path as the file system tells paths apart: "." and ".." resolved,
// without regard to case.
WideString JavaInstallations::pathKey(const WideString& executable) {
    const WideString full = utilities_.fullPath(executable);
    return platform_.environment.lowerCase(full.empty() ? executable : full);
}

}  // namespace quillmont
