#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace quillmont::testing {

// A machine as data: registry values, folders and files at absolute paths. The
// native tests put it into the fakes, the end-to-end tests onto the Wine machine.
struct MachineLayout {
    struct Value {
        RegistryRoot root;
        RegistryView view;
        std::u16string key, name, value;
    };
    struct File {
        std::u16string path;
        std::string text;
    };
    std::vector<Value> values;
    std::vector<std::u16string> folders;
    std::vector<File> files;
};

// Lays out installed J2ME SDKs as their installers leave them: the keys (in the
// 32-bit view unless `view` says otherwise), the uninstall entries, the emulator
// programs, the device folders and the SDKs' XML files. Folders are given
// relative to the machine's folder; registered paths come out absolute.
class SdkBuilder {
public:
    enum class JavaMe { Sdk30Ea, Sdk30, Sdk32 };
    struct SymbianDevice {
        std::u16string id;        // empty: no id attribute
        std::u16string epocRoot;  // relative; empty: no epocroot element
        bool emulator = true;
    };
    struct NamedSdk {  // a folder of an SDK and the title its descriptor gives
        std::u16string folder, title;
    };
    struct Integration {
        std::u16string folder, productName, productHome, executable;  // empty executable: no element
    };
    struct NokiaProduct {
        std::u16string type, name, location;
    };
    struct MotodevDevice {
        std::u16string file, entryName, deviceName;  // empty: the element is left out
    };

    SdkBuilder(std::u16string root, std::u16string profile, std::u16string driveRoot = u"C:")
        : root_(std::move(root)), profile_(std::move(profile)), driveRoot_(std::move(driveRoot)) {}

    MachineLayout layout;
    RegistryView view = RegistryView::Bits32;

    std::u16string path(const std::u16string& relative) const { return root_ + u"\\" + relative; }
    void value(const std::u16string& key, const std::u16string& name, const std::u16string& text,
               RegistryRoot root = RegistryRoot::LocalMachine) {
        layout.values.push_back({root, view, key, name, text});
    }
    void uninstallEntry(const std::u16string& keyName, const std::vector<std::pair<std::u16string, std::u16string>>& values) {
        for (const auto& [name, text] : values)
            value(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + keyName, name, text);
    }
    void file(const std::u16string& absolute, std::string text = "MZ") { layout.files.push_back({absolute, std::move(text)}); }
    void folder(const std::u16string& absolute) { layout.folders.push_back(absolute); }

    // A toolkit root with its emulator and one device folder with its properties file per device.
    std::u16string toolkit(const std::u16string& relative, const std::vector<std::u16string>& devices, bool emulator = true) {
        const std::u16string root = path(relative);
        if (emulator) file(root + u"\\bin\\emulatorw.exe");
        folder(root + u"\\wtklib\\devices");
        for (const std::u16string& device : devices)
            file(root + u"\\wtklib\\devices\\" + device + u"\\" + device + u".properties", "");
        return root;
    }
    void sunToolkit(const std::u16string& product, const std::u16string& version, const std::u16string& relative,
                    const std::vector<std::u16string>& devices, bool emulator = true) {
        value(u"SOFTWARE\\Sun Microsystems, Inc.\\" + product + u"\\" + version, u"InstallDir",
              toolkit(relative, devices, emulator));
    }
    void lgToolkit(const std::u16string& vendor, const std::u16string& version, const std::u16string& relative,
                   const std::vector<std::u16string>& devices) {
        value(u"SOFTWARE\\" + vendor + u"\\LG SDK for the Java(TM) ME Platform\\" + version, u"InstallDir",
              toolkit(relative, devices));
    }
    // Toolkit places below the SDK's home ("PC_Emulation\\WTK2", ...) with their devices.
    void sonyEricsson(const std::u16string& version, const std::u16string& relative,
                      const std::vector<std::pair<std::u16string, std::vector<std::u16string>>>& places) {
        value(u"SOFTWARE\\Sony Ericsson\\J2ME SDK\\" + version, u"SdkHome", path(relative));
        for (const auto& [place, devices] : places) toolkit(relative + u"\\" + place, devices);
    }
    void samsung(const std::u16string& keyName, const std::u16string& displayName, const std::u16string& version,
                 const std::u16string& relative, const std::vector<std::u16string>& devices) {
        uninstallEntry(keyName, {{u"DisplayName", displayName}, {u"DisplayVersion", version},
                                 {u"InstallLocation", toolkit(relative, devices)}});
    }

    void javaMeSdk(JavaMe which, const std::u16string& relative, RegistryRoot root = RegistryRoot::LocalMachine,
                   bool emulator = true) {
        static const char16_t* const keys[] = {
            u"SOFTWARE\\Sun Microsystems, Inc.\\Java(TM) ME platform SDK 3.0, EA\\3.0",
            u"SOFTWARE\\Sun Microsystems, Inc.\\Java(TM) ME platform SDK 3.0",
            u"SOFTWARE\\Oracle America, Inc.\\Java(TM) ME platform SDK 3.2"};
        value(keys[static_cast<int>(which)], u"InstallDir", path(relative), root);
        if (emulator) file(path(relative) + u"\\bin\\emulator.exe");
    }
    // A device folder of the SDK's work folder in the user's profile.
    void javaMeDevice(JavaMe which, const std::u16string& folderName, const std::u16string& adapter,
                      const std::u16string& name) {
        static const char16_t* const versions[] = {u"3.0_ea", u"3.0", u"3.2"};
        file(profile_ + u"\\javame-sdk\\" + versions[static_cast<int>(which)] + u"\\work\\" + folderName +
                 u"\\properties.xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<java version=\"1.6\">\n <object class=\"Device\">\n"
             "  <void property=\"adapter\"><string>" + narrow(adapter) + "</string></void>\n"
             "  <void property=\"name\"><string>" + narrow(name) + "</string></void>\n </object>\n</java>\n");
    }

    void symbianEpoc(const std::u16string& relative, const std::vector<SymbianDevice>& devices) {
        value(u"SOFTWARE\\Symbian\\EPOC SDKs", u"CommonPath", path(relative));
        std::string xml = "<?xml version=\"1.0\"?>\n<devices version=\"1.0\">\n";
        for (const SymbianDevice& device : devices) {
            xml += "  <device" + (device.id.empty() ? std::string() : " id=\"" + narrow(device.id) + "\"") +
                   " name=\"com.nokia.s60\">\n";
            if (!device.epocRoot.empty()) xml += "    <epocroot>" + narrow(path(device.epocRoot)) + "</epocroot>\n";
            xml += "  </device>\n";
            if (device.emulator && !device.epocRoot.empty()) file(path(device.epocRoot) + u"\\bin\\emulator.exe");
        }
        file(path(relative) + u"\\devices.xml", xml + "</devices>\n");
    }
    // The uninstall entry names the first SDK's folder; all lie side by side below `parent`.
    void s60(const std::u16string& keyName, const std::u16string& displayName, const std::u16string& parent,
             const std::vector<NamedSdk>& sdks) {
        uninstallEntry(keyName, {{u"DisplayName", displayName}, {u"InstallLocation", path(parent + u"\\" + sdks[0].folder)}});
        for (const NamedSdk& sdk : sdks)
            descriptorSdk(parent + u"\\" + sdk.folder,
                          "<properties>\n  <group name=\"" + narrow(sdk.title) + "\"/>\n</properties>\n");
    }
    void series60Midp(const std::u16string& keyName, const std::u16string& install, const std::vector<NamedSdk>& sdks) {
        uninstallEntry(keyName, {{u"DisplayName", u"Nokia Developer's Suite"}, {u"InstallLocation", path(install)}});
        for (const NamedSdk& sdk : sdks)
            descriptorSdk(install + u"\\" + sdk.folder,
                          "<properties>\n  <group name=\"identification\">\n    <property name=\"vendor\" value=\"" +
                              narrow(sdk.title) + "\"/>\n  </group>\n</properties>\n");
    }
    void nokiaConnectivity(const std::u16string& home, const std::vector<Integration>& integrations) {
        value(u"SOFTWARE\\Nokia\\Connectivity_Framework", u"home", path(home));
        for (const Integration& i : integrations) {
            std::string xml = "<ProductData>\n  <ProductName>" + narrow(i.productName) + "</ProductName>\n" +
                              "  <ProductHome>" + narrow(path(i.productHome)) + "</ProductHome>\n";
            if (!i.executable.empty()) xml += "  <ExecutableFile>" + narrow(i.executable) + "</ExecutableFile>\n";
            file(path(home) + u"\\integrations\\" + i.folder + u"\\" + i.folder + u".xml", xml + "</ProductData>\n");
            file(path(i.productHome) + u"\\" + (i.executable.empty() ? u"emulator.exe" : i.executable));
        }
    }
    void nokiaRegistry(const std::vector<NokiaProduct>& products) {
        std::string xml = "<registry>\n";
        for (const NokiaProduct& p : products) {
            xml += "  <product type=\"" + narrow(p.type) + "\">\n    <name>" + narrow(p.name) + "</name>\n" +
                   "    <location>" + narrow(path(p.location)) + "</location>\n  </product>\n";
            file(path(p.location) + u"\\emulator.exe");
        }
        file(driveRoot_ + u"\\Nokia\\Registry\\installationRegistry.xml", xml + "</registry>\n");
    }

    void motodev(const std::u16string& keyName, const std::u16string& displayName, const std::u16string& relative,
                 const std::vector<MotodevDevice>& devices) {
        uninstallEntry(keyName, {{u"DisplayName", displayName}, {u"InstallLocation", path(relative)}});
        file(path(relative) + u"\\JMESDK\\bin\\emulator.exe");
        folder(path(relative) + u"\\JMESDK\\res\\devices");
        for (const MotodevDevice& d : devices) {
            std::string xml = "<?xml version=\"1.0\"?>\n";
            if (!d.entryName.empty() || d.deviceName.empty())
                xml += "<properties>\n  <entry key=\"device.displayname\">" + narrow(d.entryName) + "</entry>\n</properties>\n";
            else
                xml += "<device>\n  <displayname>" + narrow(d.deviceName) + "</displayname>\n</device>\n";
            file(path(relative) + u"\\JMESDK\\res\\devices\\" + d.file, xml);
        }
    }
    void iden(bool midp2, const std::u16string& relative, const std::vector<std::u16string>& devices) {
        if (midp2)
            value(u"SOFTWARE\\Motorola\\iDEN\\SDK for J2ME(TM) Technology (MIDP 2.0)", u"DesPath", path(relative));
        else
            value(u"SOFTWARE\\Motorola\\iDEN\\SDK for J2ME(TM)", u"Path", path(relative));
        file(path(relative) + u"\\bin\\emulator.exe");
        for (const std::u16string& device : devices)
            file(path(relative) + u"\\device\\" + device + (midp2 ? u"\\resources\\device.props" : u"\\device.props"), "");
    }

    // Latin-1 and ASCII texts only, which is all the layouts use.
    static std::string narrow(const std::u16string& text) {
        std::string out;
        for (char16_t c : text) {
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else {
                out.push_back(static_cast<char>(0xC0 | (c >> 6)));
                out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            }
        }
        return out;
    }

private:
    void descriptorSdk(const std::u16string& relative, std::string xml) {
        const std::u16string sdk = path(relative);
        file(sdk + sdk.substr(sdk.rfind(u'\\')) + u".xml", std::move(xml));
        file(sdk + u"\\bin\\emulator.exe");
    }

    std::u16string root_, profile_, driveRoot_;
};

// One SDK of every family, in the view its installer used (most in the 32-bit
// one), with `devices` more devices spread over the toolkits, the SDK 3.2 work
// folder and the MOTODEV descriptors. Without extra devices the J2ME scan finds
// 21 entries in 9 XML files.
inline void layEveryFamily(SdkBuilder& b, int devices = 0) {
    std::vector<std::u16string> wtk, sonyEricsson;
    std::vector<SdkBuilder::MotodevDevice> motodev{{u"A.xml", u"A1", u""}, {u"B.xml", u"", u"B1"}};
    for (int i = 0; i < devices; ++i) {
        const std::string number = std::to_string(1000 + i);
        const std::u16string name = u"Device" + std::u16string(number.begin(), number.end());
        switch (i % 4) {
        case 0: wtk.push_back(name); break;
        case 1: b.javaMeDevice(SdkBuilder::JavaMe::Sdk32, name, u"MEPhone", name); break;
        case 2: motodev.push_back({name + u".xml", name, u""}); break;
        default: sonyEricsson.push_back(name); break;
        }
    }
    b.lgToolkit(u"LG Electronics, Inc.", u"1.0", u"LG", {});
    b.samsung(u"{Samsung}", u"Samsung SDK 1.0", u"1.0", u"Samsung", {});
    b.sonyEricsson(u"2.5", u"SE", {{u"WTK2", sonyEricsson}});
    b.iden(false, u"iDEN1", {u"i90"});
    b.iden(true, u"iDEN2", {u"i850"});
    b.motodev(u"{Motodev}", u"MOTODEV SDK for Java ME", u"Motodev", motodev);
    b.nokiaRegistry({{u"emulator", u"S40", u"S40"}});
    b.series60Midp(u"Series 60 MIDP SDK 1.0", u"MIDP", {{u"C", u"Concept"}});
    b.nokiaConnectivity(u"NCF", {{u"n", u"NCF SDK", u"NCFbin", u"emulator.exe"}});
    b.s60(u"{S60}", u"S60 3rd Edition SDK", u"S60", {{u"FP1", u"FP1"}});
    b.symbianEpoc(u"Symbian", {{u"a", u"A"}, {u"b", u"B"}, {u"c", u"C"}});
    b.view = RegistryView::Bits64;
    b.javaMeSdk(SdkBuilder::JavaMe::Sdk32, u"sdk32");
    b.javaMeDevice(SdkBuilder::JavaMe::Sdk32, u"1", u"MEPhone", u"Phone1");
    b.javaMeDevice(SdkBuilder::JavaMe::Sdk32, u"2", u"MEPhone", u"Phone2");
    b.javaMeSdk(SdkBuilder::JavaMe::Sdk30, u"sdk30");
    b.javaMeSdk(SdkBuilder::JavaMe::Sdk30Ea, u"sdk30ea");
    b.sunToolkit(u"J2ME Wireless Toolkit", u"2.2", u"WTK", wtk);
    b.view = RegistryView::Bits32;
}

}  // namespace quillmont::testing
