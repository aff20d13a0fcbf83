// Nokia's and Symbian's SDKs: no default or device entries, one proposal per
// emulator program, named from the SDK's own registration files.
#include "core/scan/j2me/j2me_scanner.h"

namespace quillmont {

namespace {

constexpr char16_t kEmulator[] = u"bin\\emulator.exe";
constexpr char16_t kSymbianDevices[] = u"/devices/device";
constexpr char16_t kNokiaRegistryFile[] = u"\\Nokia\\Registry\\installationRegistry.xml";
constexpr char16_t kNokiaRegistryEmulators[] = u"/registry/product[@type='emulator']";

// The first four detectors group by emulator: one emulator under two names is
// proposed under each.
WideString symbianGroup(const WideString& emulator) { return u"Symbian" + emulator; }

}  // namespace

void J2meScanner::symbianEpocDetector() {
    for (const WideString& commonPath : machineValues(u"SOFTWARE\\Symbian\\EPOC SDKs", u"CommonPath")) {
        const WideString file = joinPath(commonPath, u"devices.xml");
        // The count is asked before every pass, as the cache makes it cheap.
        for (std::int32_t i = 0; i < xml().xmlNodeCount(file, kSymbianDevices); ++i) {
            const WideString node = indexedPath(kSymbianDevices, i);
            const WideString id = xml().xmlAttribute(file, node, u"id");
            if (id.empty()) continue;
            const WideString epocRoot = xml().xmlText(file, node + u"/epocroot");
            if (epocRoot.empty()) continue;
            const WideString emulator = joinPath(epocRoot, kEmulator);
            if (!utilities().fileExists(emulator)) continue;
            addEmulatorEntry(symbianGroup(emulator), u"Symbian - " + id, emulator);
        }
    }
}

// Every folder D below `parent` that holds a descriptor D.xml naming the SDK and
// the emulator "bin\emulator.exe" is one emulator, named by the descriptor.
void J2meScanner::descriptorSdks(const WideString& parent, const WideString& titlePath,
                                 const WideString& titleAttribute) {
    NameList folders;
    utilities().enumSubfolders(parent, folders);
    for (const WideString& folder : folders) {
        const WideString sdk = joinPath(parent, folder);
        const WideString descriptor = joinPath(sdk, folder + u".xml");
        if (!utilities().fileExists(descriptor)) continue;
        const WideString title = xml().xmlAttribute(descriptor, titlePath, titleAttribute);
        if (title.empty()) continue;
        const WideString emulator = joinPath(sdk, kEmulator);
        if (!utilities().fileExists(emulator)) continue;
        addEmulatorEntry(symbianGroup(emulator), title, emulator);
    }
}

// Each S60 SDK is installed beside the others: the folder above the one its
// uninstall entry names holds one folder per SDK, each with a descriptor named
// after it.
void J2meScanner::s60ThirdEditionDetector() {
    std::set<WideString> searched;
    for (const UninstallKey& entry : uninstallEntriesNamed(u"S60 3rd Edition SDK")) {
        const WideString installLocation = readUninstallValue(entry, u"InstallLocation");
        if (installLocation.empty()) continue;
        const WideString parent = utilities().fullPath(joinPath(installLocation, u".."));
        if (!firstVisit(searched, parent)) continue;  // a sibling's entry searched it already
        descriptorSdks(parent, u"/properties/group", u"name");
    }
}

void J2meScanner::nokiaConnectivityDetector() {
    for (const WideString& home : machineValues(u"SOFTWARE\\Nokia\\Connectivity_Framework", u"home")) {
        const WideString integrations = joinPath(home, u"integrations");
        NameList folders;
        utilities().enumSubfolders(integrations, folders);
        for (const WideString& folder : folders) {
            const WideString descriptor = joinPath(joinPath(integrations, folder), folder + u".xml");
            if (!utilities().fileExists(descriptor)) continue;
            const WideString productName = xml().xmlText(descriptor, u"/ProductData/ProductName");
            if (productName.empty()) continue;
            const WideString productHome = xml().xmlText(descriptor, u"/ProductData/ProductHome");
            if (productHome.empty()) continue;
            const WideString executable = xml().xmlText(descriptor, u"/ProductData/ExecutableFile");
            if (executable.empty()) continue;
            const WideString emulator = joinPath(productHome, executable);
            if (!utilities().fileExists(emulator)) continue;
            addEmulatorEntry(symbianGroup(emulator), productName, emulator);
        }
    }
}

// Found by the uninstall entry's key name, whatever its display name says.
void J2meScanner::series60MidpDetector() {
    std::set<WideString> searched;
    for (const UninstallKey& entry : uninstallKeys_) {
        if (!entry.name.starts_with(u"Series 60 MIDP SDK 1")) continue;
        const WideString installLocation = readUninstallValue(entry, u"InstallLocation");
        if (installLocation.empty() || !firstVisit(searched, installLocation)) continue;
        descriptorSdks(installLocation, u"/properties/group[@name='identification']/property[@name='vendor']",
                       u"value");
    }
}

// A file at the root of the current drive, not found through the registry.
void J2meScanner::nokiaRegistryDetector() {
    for (std::int32_t i = 0; i < xml().xmlNodeCount(kNokiaRegistryFile, kNokiaRegistryEmulators); ++i) {
        const WideString node = indexedPath(kNokiaRegistryEmulators, i);
        const WideString productName = xml().xmlText(kNokiaRegistryFile, node + u"/name");
        if (productName.empty()) continue;
        const WideString location = xml().xmlText(kNokiaRegistryFile, node + u"/location");
        if (location.empty()) continue;
        const WideString emulator = joinPath(location, u"emulator.exe");
        if (!utilities().fileExists(emulator)) continue;
        addEmulatorEntry(productName, productName, emulator);
    }
}

}  // namespace quillmont
