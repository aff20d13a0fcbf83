#include "core/scan/j2me/j2me_scanner.h"

#include "core/text/message_format.h"

namespace quillmont {

namespace {

constexpr char16_t kDefaultArguments[] = u"-Xdescriptor:%1";
constexpr char16_t kNoDeviceArguments[] = u".*-Xdevice:.*";
constexpr char16_t kDeviceArguments[] = u"-Xdescriptor:%%1 -Xdevice:%s";
constexpr char16_t kDeviceArgumentsPattern[] = u".*-Xdevice:%s.*";

}  // namespace

void J2meScanner::scan() {
    uninstallKeys_.clear();
    for (RegistryView view : kSdkViews) {
        NameList names;
        utilities().enumRegistrySubkeys(RegistryRoot::LocalMachine, kUninstallKey, names, view);
        for (WideString& name : names) uninstallKeys_.push_back({std::move(name), view});
    }
    wirelessToolkitDetector();
    javaMeSdk30EaDetector();
    javaMeSdk30Detector();
    javaMeSdk32Detector();
    symbianEpocDetector();
    s60ThirdEditionDetector();
    nokiaConnectivityDetector();
    series60MidpDetector();
    nokiaRegistryDetector();
    motodevDetector();
    idenMidp2Detector();
    idenDetector();
    sonyEricssonDetector();
    samsungDetector();
    lgDetector();
    portableEmulatorDetector();
}

std::vector<J2meScanner::UninstallKey> J2meScanner::uninstallEntriesNamed(const WideString& prefix) {
    std::vector<UninstallKey> entries;
    for (const UninstallKey& entry : uninstallKeys_)
        if (readUninstallValue(entry, u"DisplayName").starts_with(prefix)) entries.push_back(entry);
    return entries;
}

WideString J2meScanner::readUninstallValue(const UninstallKey& entry, const WideString& valueName) {
    return utilities().readRegistryString(RegistryRoot::LocalMachine, WideString(kUninstallKey) + u"\\" + entry.name,
                                          valueName, entry.view);
}

std::vector<WideString> J2meScanner::machineValues(const WideString& key, const WideString& valueName) {
    std::vector<WideString> values;
    for (RegistryView view : kSdkViews) {
        WideString value = utilities().readRegistryString(RegistryRoot::LocalMachine, key, valueName, view);
        if (value.empty()) continue;
        bool known = false;
        for (const WideString& earlier : values)
            known = known || platform().environment.lowerCase(earlier) == platform().environment.lowerCase(value);
        if (!known) values.push_back(std::move(value));
    }
    return values;
}

std::vector<J2meScanner::VersionValue> J2meScanner::versionValues(const WideString& key, const WideString& valueName) {
    std::vector<VersionValue> found;
    for (RegistryView view : kSdkViews) {
        NameList versions;
        utilities().enumRegistrySubkeys(RegistryRoot::LocalMachine, key, versions, view);
        for (WideString& version : versions) {
            WideString value =
                utilities().readRegistryString(RegistryRoot::LocalMachine, key + u"\\" + version, valueName, view);
            if (!value.empty()) found.push_back({std::move(version), std::move(value)});
        }
    }
    return found;
}

bool J2meScanner::firstVisit(std::set<WideString>& searched, const WideString& folder) {
    return searched.insert(platform().environment.lowerCase(folder)).second;
}

void J2meScanner::addDefaultEntry(const WideString& name, const WideString& emulator) {
    DetectedStarter entry;
    entry.group = name;
    entry.starter = {name, emulator, kDefaultArguments};
    entry.excludeArgumentsPattern = kNoDeviceArguments;
    addDetected(std::move(entry));
}

// The id goes into the arguments and the pattern as it is: a dot in it then
// matches any character, which can only widen what counts as configured.
void J2meScanner::addDeviceEntry(const WideString& group, const WideString& name, const WideString& emulator,
                                 const WideString& deviceId) {
    DetectedStarter entry;
    entry.group = group;
    entry.starter = {name, emulator, formatValues(kDeviceArguments, {deviceId})};
    entry.requireArgumentsPattern = formatValues(kDeviceArgumentsPattern, {deviceId});
    addDetected(std::move(entry));
}

void J2meScanner::addEmulatorEntry(const WideString& group, const WideString& name, const WideString& emulator) {
    DetectedStarter entry;
    entry.group = group;
    entry.starter = {name, emulator, kDefaultArguments};
    addDetected(std::move(entry));
}

}  // namespace quillmont
