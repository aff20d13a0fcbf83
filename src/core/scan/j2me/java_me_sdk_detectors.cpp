// The Java ME platform SDK 3.0 EA, 3.0 and 3.2: the emulator in the install
// folder, the devices in a work folder of the user's profile, one folder per
// device with a "properties.xml" that names it and says what kind it is.
#include "core/scan/j2me/j2me_scanner.h"
#include "core/text/message_format.h"

namespace quillmont {

namespace {

constexpr char16_t kAdapterPath[] = u"/java/object/void[@property=\"adapter\"]/string";
constexpr char16_t kDeviceNamePath[] = u"/java/object/void[@property=\"name\"]/string";

}  // namespace

struct J2meScanner::JavaMeSdk {
    const char16_t* key;
    bool currentUserToo;  // the installer may have registered it for the user alone
    const char16_t* workFolder;
    const char16_t* adapterWord;  // in lower case
    const char16_t* defaultName;
    const char16_t* deviceFormat;
};

void J2meScanner::javaMeSdk30EaDetector() {
    javaMeSdk({u"SOFTWARE\\Sun Microsystems, Inc.\\Java(TM) ME platform SDK 3.0, EA\\3.0", false,
               u"%USERPROFILE%\\javame-sdk\\3.0_ea\\work", u"cldc", u"Sun SDK 3.0(1) - Default Emulator",
               u"Sun SDK 3.0(1) - %s Emulator"});
}

void J2meScanner::javaMeSdk30Detector() {
    javaMeSdk({u"SOFTWARE\\Sun Microsystems, Inc.\\Java(TM) ME platform SDK 3.0", true,
               u"%USERPROFILE%\\javame-sdk\\3.0\\work", u"cldc", u"Sun SDK 3.0(2) - Default Emulator",
               u"Sun SDK 3.0(2) - %s Emulator"});
}

// "Orcale" is the name the stored starters of earlier versions carry.
void J2meScanner::javaMeSdk32Detector() {
    javaMeSdk({u"SOFTWARE\\Oracle America, Inc.\\Java(TM) ME platform SDK 3.2", true,
               u"%USERPROFILE%\\javame-sdk\\3.2\\work", u"mephone", u"Orcale SDK 3.2 - Default Emulator",
               u"Oracle SDK 3.2 - %s Emulator"});
}

void J2meScanner::javaMeSdk(const JavaMeSdk& sdk) {
    std::vector<WideString> installFolders = machineValues(sdk.key, u"InstallDir");
    if (installFolders.empty() && sdk.currentUserToo) {
        WideString own = utilities().readRegistryString(RegistryRoot::CurrentUser, sdk.key, u"InstallDir");
        if (!own.empty()) installFolders.push_back(std::move(own));
    }
    for (const WideString& installFolder : installFolders) {
        const WideString emulator = joinPath(installFolder, u"bin\\emulator.exe");
        if (!utilities().fileExists(emulator)) continue;
        addDefaultEntry(sdk.defaultName, emulator);
        // Used as expanded, or as it stands when it cannot be.
        const WideString work = platform().environment.expandEnvironment(sdk.workFolder);
        NameList folders;
        utilities().enumSubfolders(work, folders);
        for (const WideString& folder : folders) {
            const WideString properties = joinPath(joinPath(work, folder), u"properties.xml");
            if (!utilities().fileExists(properties)) continue;
            const WideString adapter = platform().environment.lowerCase(xml().xmlText(properties, kAdapterPath));
            if (adapter.find(sdk.adapterWord) == WideString::npos) continue;
            const WideString deviceName = xml().xmlText(properties, kDeviceNamePath);
            if (deviceName.empty()) continue;
            const WideString name = formatValues(sdk.deviceFormat, {deviceName});
            addDeviceEntry(name, name, emulator, deviceName);
        }
    }
}

}  // namespace quillmont
