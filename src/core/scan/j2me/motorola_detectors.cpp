// Motorola's SDKs: MOTODEV describes each device in an XML file of its own; the
// two iDEN editions have one folder per device, marked by a property file.
#include "core/scan/j2me/j2me_scanner.h"
#include "core/text/message_format.h"

namespace quillmont {

namespace {

constexpr char16_t kMotodevDevice[] = u"MOTODEV SDK - %s Emulator";

}  // namespace

// A device's id is its descriptor's file name; its name shows the display name
// the descriptor gives, so group and name differ.
void J2meScanner::motodevDetector() {
    std::set<WideString> searched;
    for (const UninstallKey& entry : uninstallEntriesNamed(u"MOTODEV SDK for Java ME")) {
        const WideString installLocation = readUninstallValue(entry, u"InstallLocation");
        if (installLocation.empty() || !firstVisit(searched, installLocation)) continue;
        const WideString emulator = joinPath(installLocation, u"JMESDK\\bin\\emulator.exe");
        if (!utilities().fileExists(emulator)) continue;
        addDefaultEntry(u"MOTODEV SDK - Default Emulator", emulator);
        const WideString devices = joinPath(installLocation, u"JMESDK\\res\\devices");
        NameList files;
        utilities().enumFiles(devices, u"*.xml", files);
        for (const WideString& file : files) {
            if (file.size() < 4) continue;  // the pattern promises four characters; a name is untrusted
            const WideString id = file.substr(0, file.size() - 4);
            const WideString descriptor = joinPath(devices, file);
            WideString display = xml().xmlText(descriptor, u"/properties/entry[@key='device.displayname']");
            if (display.empty()) display = xml().xmlText(descriptor, u"/device/displayname");
            if (display.empty()) continue;
            addDeviceEntry(formatValues(kMotodevDevice, {id}), formatValues(kMotodevDevice, {display}), emulator, id);
        }
    }
}

struct J2meScanner::IdenEdition {
    const char16_t* key;
    const char16_t* value;           // names the SDK's folder
    const char16_t* propertiesFile;  // below a device's folder
};

void J2meScanner::idenMidp2Detector() {
    idenSdk({u"SOFTWARE\\Motorola\\iDEN\\SDK for J2ME(TM) Technology (MIDP 2.0)", u"DesPath",
             u"resources\\device.props"});
}

void J2meScanner::idenDetector() {
    idenSdk({u"SOFTWARE\\Motorola\\iDEN\\SDK for J2ME(TM)", u"Path", u"device.props"});
}

// No default entry: every proposal names a device.
void J2meScanner::idenSdk(const IdenEdition& edition) {
    for (const WideString& sdk : machineValues(edition.key, edition.value)) {
        const WideString emulator = joinPath(sdk, u"bin\\emulator.exe");
        if (!utilities().fileExists(emulator)) continue;
        const WideString devices = joinPath(sdk, u"device");
        NameList folders;
        utilities().enumSubfolders(devices, folders);
        for (const WideString& folder : folders) {
            if (!utilities().fileExists(joinPath(joinPath(devices, folder), edition.propertiesFile))) continue;
            addDeviceEntry(formatValues(u"Motorola iDEN SDK - %s Emulator", {folder}),
                           formatValues(u"Motorola - %s Emulator", {folder}), emulator, folder);
        }
    }
}

}  // namespace quillmont
