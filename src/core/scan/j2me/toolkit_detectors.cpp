// The SDKs built on the layout of Sun's wireless toolkit: a root folder with
// "bin\emulatorw.exe" and one folder per device below "wtklib\devices". Sun's
// toolkits, Sony Ericsson's, Samsung's and LG's differ only in where their roots
// are registered and how their proposals are named.
#include "core/scan/j2me/j2me_scanner.h"
#include "core/text/message_format.h"

namespace quillmont {

namespace {

constexpr char16_t kSunVendor[] = u"Sun Microsystems, Inc.";
constexpr char16_t kSonyEricssonKey[] = u"SOFTWARE\\Sony Ericsson\\J2ME SDK";
constexpr char16_t kSonyEricssonDevicePrefix[] = u"SonyEricsson_";

// Sony Ericsson's SDKs hold up to four toolkits; the devices of a "WTK2" one are
// started with "_Emu" after their folder's name.
struct SonyEricssonToolkit {
    const char16_t* folder;
    const char16_t* label;
};
constexpr SonyEricssonToolkit kSonyEricssonToolkits[] = {
    {u"PC_Emulation\\WTK1", u"WTK1"},
    {u"PC_Emulation\\WTK2", u"WTK2"},
    {u"WTK104_01", u"WTK1"},
    {u"WTK2", u"WTK2"},
};

}  // namespace

// How one toolkit's proposals are named: the default emulator's name, and the
// device entry's format, filled with `leading` and then the device's display text
// (group and name alike); the id is the device folder's name plus `idSuffix`.
struct J2meScanner::ToolkitNames {
    WideString defaultName;
    WideString deviceFormat;
    std::vector<WideString> leading;
    WideString idSuffix;
    WideString stripFromDisplay;  // a leading part of the id the name leaves out
};

void J2meScanner::toolkit(const WideString& root, const ToolkitNames& names) {
    const WideString emulator = joinPath(root, u"bin\\emulatorw.exe");
    if (!utilities().fileExists(emulator)) return;
    addDefaultEntry(names.defaultName, emulator);
    const WideString devices = joinPath(root, u"wtklib\\devices");
    NameList folders;
    utilities().enumSubfolders(devices, folders);
    for (const WideString& folder : folders) {
        // The properties file marks a device; what it says is not read.
        if (!utilities().fileExists(joinPath(devices, folder + u"\\" + folder + u".properties"))) continue;
        const WideString id = folder + names.idSuffix;
        WideString display = id;
        if (!names.stripFromDisplay.empty() && display.starts_with(names.stripFromDisplay))
            display.erase(0, names.stripFromDisplay.size());
        std::vector<WideString> values = names.leading;
        values.push_back(display);
        const WideString name = formatValues(names.deviceFormat, values);
        addDeviceEntry(name, name, emulator, id);
    }
}

// SOFTWARE\<vendor>\<product>\<version>, value "InstallDir".
void J2meScanner::vendorToolkits(const WideString& key, const WideString& defaultFormat,
                                 const WideString& deviceFormat) {
    for (const VersionValue& installed : versionValues(key, u"InstallDir")) {
        const WideString& version = installed.version;
        toolkit(installed.value, {formatValues(defaultFormat, {version}), deviceFormat, {version}, {}, {}});
    }
}

void J2meScanner::wirelessToolkitDetector() {
    for (const char16_t* product : {u"Sun Java Wireless Toolkit", u"J2ME Wireless Toolkit"})
        vendorToolkits(u"SOFTWARE\\" + WideString(kSunVendor) + u"\\" + product, u"Sun WTK %s - Default Emulator",
                       u"Sun WTK %s - %s Emulator");
}

void J2meScanner::lgDetector() {
    for (const char16_t* vendor : {kSunVendor, u"LG Electronics, Inc."})
        vendorToolkits(u"SOFTWARE\\" + WideString(vendor) + u"\\LG SDK for the Java(TM) ME Platform",
                       u"LG SDK %s - Default Emulator", u"LG SDK %s - %s Emulator");
}

void J2meScanner::sonyEricssonDetector() {
    for (const VersionValue& installed : versionValues(kSonyEricssonKey, u"SdkHome")) {
        for (const SonyEricssonToolkit& place : kSonyEricssonToolkits) {
            const bool wtk2 = WideString(place.label) == u"WTK2";
            toolkit(joinPath(installed.value, place.folder),
                    {formatValues(u"Sony Ericsson %s %s - Default Emulator", {installed.version, place.label}),
                     u"Sony Ericsson %s %s - %s Emulator",
                     {installed.version, place.label},
                     wtk2 ? u"_Emu" : u"", kSonyEricssonDevicePrefix});
        }
    }
}

void J2meScanner::samsungDetector() {
    for (const UninstallKey& entry : uninstallKeys_) {
        const WideString displayName = readUninstallValue(entry, u"DisplayName");
        if (!displayName.starts_with(u"SamsungSDK") && !displayName.starts_with(u"Samsung SDK")) continue;
        const WideString version = readUninstallValue(entry, u"DisplayVersion");
        if (version.empty()) continue;
        const WideString installLocation = readUninstallValue(entry, u"InstallLocation");
        if (installLocation.empty()) continue;
        toolkit(installLocation,
                {formatValues(u"Samsung SDK %s - Default Emulator", {version}), u"Samsung SDK %s - %s Emulator",
                 {version}, {}, {}});
    }
}

}  // namespace quillmont
