#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "core/scan/j2me/j2me_scanner.h"
#include "core/starters/emulator_presets.h"
#include "core/text/message_format.h"
#include "fake_scan_dialogs.h"
#include "flow_world.h"
#include "native/pugixml_documents.h"
#include "sdk_layouts.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

using JavaMe = SdkBuilder::JavaMe;
const WideString kMachine = u"C:\\m";
const WideString kProfile = u"C:\\Users\\Tester";

// The real XML parser over the files in memory, counting what it loads.
class CountingXml final : public XmlDocuments {
public:
    explicit CountingXml(Files& source) : parser_(source) {}
    std::unique_ptr<XmlDocument> load(const WideString& path) override {
        ++loads;
        std::unique_ptr<XmlDocument> document = parser_.load(path);
        if (document) distinct.insert(FakeFiles::key(path));
        return document;
    }
    int loads = 0;
    std::set<WideString> distinct;  // the files loaded

private:
    native::PugixmlDocuments parser_;
};

struct SdkMachine : FlowWorld {
    FakeScanDialogs scanDialogs;
    CountingXml counting{files};
    Platform sdkPlatform{startup, ui, processes, registry, shell, files, versions, environment, counting, http};
    J2meScanner scanner{{sdkPlatform, scanDialogs, store.list(StarterKind::J2ME)}};
    SdkBuilder sdk{kMachine, kProfile};

    SdkMachine() { environment.set(u"USERPROFILE", kProfile); }

    void install() {
        for (const MachineLayout::Value& v : sdk.layout.values) {
            const WideString key = FakeRegistry::inView(v.root, v.key, v.view);
            registry.createKey(v.root, key);
            registry.setString(v.root, key, v.name, v.value);
        }
        for (const WideString& folder : sdk.layout.folders) files.addFolder(folder);
        for (const MachineLayout::File& file : sdk.layout.files) files.addFile(file.path, file.text);
    }
    // "name | emulator below the machine | arguments" (and " | group" where it is not
    // the name), in the order detected; the patterns are checked against the shape.
    std::vector<std::string> scanRows() {
        install();
        scanner.scan();
        std::vector<std::string> rows;
        for (const DetectedStarter& d : scanner.detected()) {
            EXPECT_TRUE(d.main && !d.checked && !d.configured && d.rank == 0);
            const std::size_t device = d.starter.arguments.find(u"-Xdevice:");
            if (device != WideString::npos) {
                EXPECT_EQ(d.starter.arguments, formatValues(u"-Xdescriptor:%%1 -Xdevice:%s", {d.starter.arguments.substr(device + 9)}));
                EXPECT_EQ(d.requireArgumentsPattern, u".*" + d.starter.arguments.substr(device) + u".*");
                EXPECT_EQ(d.excludeArgumentsPattern, u"");
            } else {
                EXPECT_EQ(d.starter.arguments, u"-Xdescriptor:%1");
                const bool isDefault = d.starter.name.ends_with(u"Default Emulator");
                EXPECT_EQ(d.excludeArgumentsPattern, isDefault ? u".*-Xdevice:.*" : u"");
                EXPECT_EQ(d.requireArgumentsPattern, u"");
            }
            std::string row = narrow(d.starter.name) + " | " + narrow(d.starter.executableFile.substr(kMachine.size() + 1)) + " | " +
                              narrow(d.starter.arguments);
            if (d.group != d.starter.name) row += " | " + narrow(d.group);
            rows.push_back(row);
        }
        return rows;
    }
    static std::string narrow(const WideString& text) { return SdkBuilder::narrow(text); }
};

struct Case {
    const char* what;
    std::function<void(SdkBuilder&)> build;
    std::vector<std::string> rows;
};

void expectRows(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SdkMachine machine;
        c.build(machine.sdk);
        EXPECT_EQ(machine.scanRows(), c.rows) << c.what;
    }
}

}  // namespace

TEST(J2meScanner, ToolkitStyleSdks) {
    expectRows({
        {"one toolkit under both keys with one folder; a device folder without its file, or with another name",
         [](SdkBuilder& b) {
             b.sunToolkit(u"Sun Java Wireless Toolkit", u"2.5.2", u"WTK252", {u"QwertyDevice", u"DefaultColorPhone"});
             b.sunToolkit(u"J2ME Wireless Toolkit", u"2.5.2", u"WTK252", {});
             b.folder(b.path(u"WTK252\\wtklib\\devices\\Bare"));
             b.file(b.path(u"WTK252\\wtklib\\devices\\Other\\Qwerty.properties"), "");
         },
         {"Sun WTK 2.5.2 - Default Emulator | WTK252\\bin\\emulatorw.exe | -Xdescriptor:%1",
          "Sun WTK 2.5.2 - QwertyDevice Emulator | WTK252\\bin\\emulatorw.exe | -Xdescriptor:%1 -Xdevice:QwertyDevice",
          "Sun WTK 2.5.2 - DefaultColorPhone Emulator | WTK252\\bin\\emulatorw.exe | -Xdescriptor:%1 -Xdevice:DefaultColorPhone"}},
        {"two versions each with a default entry; a version without its emulator yields no devices",
         [](SdkBuilder& b) {
             b.sunToolkit(u"J2ME Wireless Toolkit", u"2.2", u"WTK22", {});
             b.sunToolkit(u"J2ME Wireless Toolkit", u"2.1", u"WTK21", {});
             b.sunToolkit(u"J2ME Wireless Toolkit", u"1.0.4", u"WTK104", {u"Phone"}, false);
         },
         {"Sun WTK 2.1 - Default Emulator | WTK21\\bin\\emulatorw.exe | -Xdescriptor:%1",
          "Sun WTK 2.2 - Default Emulator | WTK22\\bin\\emulatorw.exe | -Xdescriptor:%1"}},
        {"Sony Ericsson: a WTK2 place appends _Emu to the id, the name leaves out SonyEricsson_",
         [](SdkBuilder& b) {
             b.sonyEricsson(u"2.2.4", u"SE", {{u"PC_Emulation\\WTK1", {u"SonyEricsson_K750"}},
                                               {u"PC_Emulation\\WTK2", {u"SonyEricsson_K750", u"Generic"}}});
         },
         {"Sony Ericsson 2.2.4 WTK1 - Default Emulator | SE\\PC_Emulation\\WTK1\\bin\\emulatorw.exe | -Xdescriptor:%1",
          "Sony Ericsson 2.2.4 WTK1 - K750 Emulator | SE\\PC_Emulation\\WTK1\\bin\\emulatorw.exe | -Xdescriptor:%1 -Xdevice:SonyEricsson_K750",
          "Sony Ericsson 2.2.4 WTK2 - Default Emulator | SE\\PC_Emulation\\WTK2\\bin\\emulatorw.exe | -Xdescriptor:%1",
          "Sony Ericsson 2.2.4 WTK2 - K750_Emu Emulator | SE\\PC_Emulation\\WTK2\\bin\\emulatorw.exe | -Xdescriptor:%1 -Xdevice:SonyEricsson_K750_Emu",
          "Sony Ericsson 2.2.4 WTK2 - Generic_Emu Emulator | SE\\PC_Emulation\\WTK2\\bin\\emulatorw.exe | -Xdescriptor:%1 -Xdevice:Generic_Emu"}},
        {"Samsung: either prefix in its own case, and a version",
         [](SdkBuilder& b) {
             b.samsung(u"{A}", u"samsung sdk 1.0", u"1.0", u"lower", {});
             b.samsung(u"{B}", u"SamsungSDK 1.1", u"", u"noversion", {});
             b.samsung(u"{C}", u"Samsung SDK 1.2", u"1.2", u"S12", {u"SGH"});
         },
         {"Samsung SDK 1.2 - Default Emulator | S12\\bin\\emulatorw.exe | -Xdescriptor:%1",
          "Samsung SDK 1.2 - SGH Emulator | S12\\bin\\emulatorw.exe | -Xdescriptor:%1 -Xdevice:SGH"}},
        {"LG under both vendors with one folder, in either view: once",
         [](SdkBuilder& b) {
             b.lgToolkit(u"Sun Microsystems, Inc.", u"1.1", u"LG", {});
             b.view = RegistryView::Bits64;
             b.lgToolkit(u"LG Electronics, Inc.", u"1.1", u"LG", {});
         },
         {"LG SDK 1.1 - Default Emulator | LG\\bin\\emulatorw.exe | -Xdescriptor:%1"}},
    });
}

TEST(J2meScanner, JavaMePlatformSdks) {
    expectRows({
        {"3.0 only for the user is found, 3.0 EA only for the user is not; adapters in any case",
         [](SdkBuilder& b) {
             b.javaMeSdk(JavaMe::Sdk30Ea, u"sdk30ea", RegistryRoot::CurrentUser);
             b.javaMeSdk(JavaMe::Sdk30, u"sdk30", RegistryRoot::CurrentUser);
             b.javaMeDevice(JavaMe::Sdk30, u"0", u"CLDC_CldcAdapter", u"DefaultCldcPhone1");
             b.javaMeDevice(JavaMe::Sdk30, u"1", u"MEEP", u"MeepPhone");
             b.javaMeDevice(JavaMe::Sdk30, u"2", u"cldc", u"");
             b.javaMeDevice(JavaMe::Sdk30, u"3", u"cldc", u"DefaultCldcPhone1");  // the same name again
             b.javaMeDevice(JavaMe::Sdk30Ea, u"0", u"cldc", u"EaPhone");
         },
         {"Sun SDK 3.0(2) - Default Emulator | sdk30\\bin\\emulator.exe | -Xdescriptor:%1",
          "Sun SDK 3.0(2) - DefaultCldcPhone1 Emulator | sdk30\\bin\\emulator.exe | -Xdescriptor:%1 -Xdevice:DefaultCldcPhone1"}},
        {"3.2 takes MEPhone devices only; the machine's key wins over the user's",
         [](SdkBuilder& b) {
             b.javaMeSdk(JavaMe::Sdk32, u"sdk32");
             b.javaMeSdk(JavaMe::Sdk32, u"elsewhere", RegistryRoot::CurrentUser);
             b.javaMeDevice(JavaMe::Sdk32, u"a", u"cldc", u"CldcPhone");
             b.javaMeDevice(JavaMe::Sdk32, u"b", u"MEPhoneAdapter", u"JavaMEPhone1");
         },
         {"Orcale SDK 3.2 - Default Emulator | sdk32\\bin\\emulator.exe | -Xdescriptor:%1",
          "Oracle SDK 3.2 - JavaMEPhone1 Emulator | sdk32\\bin\\emulator.exe | -Xdescriptor:%1 -Xdevice:JavaMEPhone1"}},
        {"3.0 EA registered in the 64-bit view only; without its emulator 3.0 yields nothing",
         [](SdkBuilder& b) {
             b.view = RegistryView::Bits64;
             b.javaMeSdk(JavaMe::Sdk30Ea, u"ea");
             b.javaMeSdk(JavaMe::Sdk30, u"sdk30", RegistryRoot::LocalMachine, false);
             b.javaMeDevice(JavaMe::Sdk30, u"0", u"cldc", u"Phone");
         },
         {"Sun SDK 3.0(1) - Default Emulator | ea\\bin\\emulator.exe | -Xdescriptor:%1"}},
    });
}

TEST(J2meScanner, NokiaAndSymbianSdks) {
    expectRows({
        {"devices.xml: a device without id or epocroot is skipped and the next still examined",
         [](SdkBuilder& b) {
             b.symbianEpoc(u"Symbian", {{u"", u"noid"}, {u"S60_3rd", u""}, {u"S60_5th", u"S60_5th\\epoc32"},
                                        {u"UIQ", u"UIQ\\epoc32", false}});
         },
         {"Symbian - S60_5th | S60_5th\\epoc32\\bin\\emulator.exe | -Xdescriptor:%1 | SymbianC:\\m\\S60_5th\\epoc32\\bin\\emulator.exe"}},
        {"one S60 emulator through devices.xml and its uninstall entry: two entries; sibling SDKs found",
         [](SdkBuilder& b) {
             b.symbianEpoc(u"Symbian", {{u"S60_3rd_MIDP", u"S60\\devices\\S60_3rd_MIDP"}});
             b.s60(u"{S60}", u"S60 3rd Edition SDK for Symbian OS, for MIDP", u"S60\\devices",
                   {{u"S60_3rd_MIDP", u"S60 3rd Edition MIDP"}, {u"S60_3rd_FP2", u"S60 3rd Edition FP2"}});
             b.s60(u"{lower}", u"s60 3rd Edition SDK", u"other", {{u"X", u"never"}});
         },
         {"Symbian - S60_3rd_MIDP | S60\\devices\\S60_3rd_MIDP\\bin\\emulator.exe | -Xdescriptor:%1 | SymbianC:\\m\\S60\\devices\\S60_3rd_MIDP\\bin\\emulator.exe",
          "S60 3rd Edition MIDP | S60\\devices\\S60_3rd_MIDP\\bin\\emulator.exe | -Xdescriptor:%1 | SymbianC:\\m\\S60\\devices\\S60_3rd_MIDP\\bin\\emulator.exe",
          "S60 3rd Edition FP2 | S60\\devices\\S60_3rd_FP2\\bin\\emulator.exe | -Xdescriptor:%1 | SymbianC:\\m\\S60\\devices\\S60_3rd_FP2\\bin\\emulator.exe"}},
        {"Connectivity Framework: an integration without ExecutableFile is skipped",
         [](SdkBuilder& b) {
             b.nokiaConnectivity(u"NCF", {{u"s40", u"Series 40 SDK", u"S40\\bin", u"emulator.exe"},
                                          {u"s60", u"Series 60 SDK", u"S60\\bin", u""}});
         },
         {"Series 40 SDK | S40\\bin\\emulator.exe | -Xdescriptor:%1 | SymbianC:\\m\\S40\\bin\\emulator.exe"}},
        {"Series 60 MIDP by the key's name, whatever the display name",
         [](SdkBuilder& b) {
             b.series60Midp(u"Series 60 MIDP SDK 1.2.1", u"S60MIDP", {{u"Concept", u"Nokia"}});
             b.series60Midp(u"Nokia Series 60 MIDP SDK 1", u"NotIt", {{u"Concept", u"Never"}});
         },
         {"Nokia | S60MIDP\\Concept\\bin\\emulator.exe | -Xdescriptor:%1 | SymbianC:\\m\\S60MIDP\\Concept\\bin\\emulator.exe"}},
        {"the installation registry at the drive's root: emulators only, grouped by name",
         [](SdkBuilder& b) {
             b.nokiaRegistry({{u"emulator", u"Nokia S40 5th", u"S40_5th"}, {u"tool", u"Carbide", u"Carbide"},
                              {u"emulator", u"Nokia S40 6th", u"S40_6th"}});
         },
         {"Nokia S40 5th | S40_5th\\emulator.exe | -Xdescriptor:%1",
          "Nokia S40 6th | S40_6th\\emulator.exe | -Xdescriptor:%1"}},
    });
}

TEST(J2meScanner, MotorolaSdks) {
    expectRows({
        {"MOTODEV: the id from the file, the name from either display name; none: skipped",
         [](SdkBuilder& b) {
             b.motodev(u"{M}", u"MOTODEV SDK for Java ME v1.3", u"Motodev",
                       {{u"RAZR_V3xx.xml", u"", u"RAZR V3xx"}, {u"Z6.xml", u"MOTOROKR Z6", u""}, {u"None.xml", u"", u""}});
             b.folder(b.path(u"Motodev\\JMESDK\\res\\devices\\Folder.xml"));
         },
         {"MOTODEV SDK - Default Emulator | Motodev\\JMESDK\\bin\\emulator.exe | -Xdescriptor:%1",
          "MOTODEV SDK - MOTOROKR Z6 Emulator | Motodev\\JMESDK\\bin\\emulator.exe | -Xdescriptor:%1 -Xdevice:Z6 | MOTODEV SDK - Z6 Emulator",
          "MOTODEV SDK - RAZR V3xx Emulator | Motodev\\JMESDK\\bin\\emulator.exe | -Xdescriptor:%1 -Xdevice:RAZR_V3xx | MOTODEV SDK - RAZR_V3xx Emulator"}},
        {"both iDEN editions: one set each, a device without its property file at the edition's place skipped",
         [](SdkBuilder& b) {
             b.iden(true, u"iDEN2", {u"i850"});
             b.file(b.path(u"iDEN2\\device\\i860\\device.props"), "");
             b.iden(false, u"iDEN1", {u"i850"});
         },
         {"Motorola - i850 Emulator | iDEN2\\bin\\emulator.exe | -Xdescriptor:%1 -Xdevice:i850 | Motorola iDEN SDK - i850 Emulator",
          "Motorola - i850 Emulator | iDEN1\\bin\\emulator.exe | -Xdescriptor:%1 -Xdevice:i850 | Motorola iDEN SDK - i850 Emulator"}},
    });
}

TEST(J2meScanner, ConfiguredStartersMarkTheirEntriesThroughThePatterns) {
    struct Mark {
        const char16_t* executable;
        const char16_t* arguments;
        std::vector<std::string> configured;
    };
    const Mark marks[] = {
        {u"C:\\m\\WTK\\bin\\emulatorw.exe", u"-Xdescriptor:%1", {"Sun WTK 2.5 - Default Emulator"}},
        {u"c:\\M\\wtk\\BIN\\EMULATORW.EXE", u"-Xdescriptor:%1 -Xdevice:PhoneX",
         {"Sun WTK 2.5 - PhoneX Emulator", "Sun WTK 2.5 - Phone Emulator"}},
        {u"C:\\m\\iDEN\\bin\\emulator.exe", u"-Xdescriptor:%1", {}},
        {u"C:\\m\\NCF\\bin\\emulator.exe", u"anything at all", {"Series 40 SDK"}},
    };
    for (const Mark& mark : marks) {
        SdkMachine machine;
        machine.sdk.sunToolkit(u"Sun Java Wireless Toolkit", u"2.5", u"WTK", {u"Phone", u"PhoneX"});
        machine.sdk.iden(true, u"iDEN", {u"i850"});
        machine.sdk.nokiaConnectivity(u"NCFHome", {{u"s40", u"Series 40 SDK", u"NCF\\bin", u"emulator.exe"}});
        machine.store.list(StarterKind::J2ME).placeRecord(3, {u"Mine", mark.executable, mark.arguments});
        machine.scanRows();
        machine.scanner.markConfigured();
        std::vector<std::string> configured;
        for (const DetectedStarter& d : machine.scanner.detected())
            if (d.configured) configured.push_back(SdkMachine::narrow(d.starter.name));
        EXPECT_EQ(configured, mark.configured) << SdkMachine::narrow(mark.arguments);
    }
}

// Every family at once, each in the view its installer used: the detectors run in
// their order, and every XML file is loaded once however often it is asked about.
TEST(J2meScanner, AFullMachineInDetectorOrderWithEachXmlFileLoadedOnce) {
    SdkMachine machine;
    layEveryFamily(machine.sdk, 8);
    const std::vector<std::string> rows = machine.scanRows();
    std::vector<std::string> firsts;  // the first entry each detector made
    std::set<std::string> seen;
    for (const std::string& row : rows) {
        const std::string head = row.substr(0, row.find(' '));
        if (seen.insert(head).second) firsts.push_back(head);
    }
    EXPECT_EQ(firsts, (std::vector<std::string>{"Sun", "Orcale", "Oracle", "Symbian", "FP1", "NCF", "Concept", "S40",
                                                "MOTODEV", "Motorola", "Sony", "Samsung", "LG"}));
    EXPECT_EQ(rows.size(), 21u + 8u);
    EXPECT_EQ(machine.counting.loads, static_cast<int>(machine.counting.distinct.size()));
    EXPECT_EQ(machine.counting.distinct.size(), 9u + 4u);
}

// Every family laid out as its installer left it, but with each emulator's
// program gone, and the unpacked emulators beside a Java without its javaw.exe:
// a detector that proposed what it did not find would show up here.
TEST(J2meScanner, NoFamilyProposesAProgramThatIsNotThere) {
    SdkMachine machine;
    layEveryFamily(machine.sdk, 8);
    std::erase_if(machine.sdk.layout.files, [](const MachineLayout::File& f) { return f.path.ends_with(u".exe"); });
    machine.environment.set(u"JAVA_HOME", u"C:\\jdk8");
    machine.files.addFile(u"C:\\jdk8\\bin\\java.exe", std::string("MZ"));
    machine.files.addFile(u"C:\\jdk8\\release", "JAVA_VERSION=\"1.8.0_392\"\n");
    for (const EmulatorPreset& preset : emulatorPresets())
        machine.files.addFile(kProfile + u"\\Downloads\\" + preset.archive, programArchive(SdkBuilder::narrow(preset.mainClass)));
    EXPECT_EQ(machine.scanRows(), std::vector<std::string>{});
}

TEST(J2meScanner, AMachineWithoutSdksSaysSo) {
    SdkMachine machine;
    machine.install();
    EXPECT_FALSE(machine.scanner.run(WindowRef(7)));
    ASSERT_EQ(machine.ui.messages.size(), 1u);
    EXPECT_EQ(machine.ui.messages[0].text, u"No J2ME starters are detected.");
    EXPECT_EQ(machine.scanDialogs.events, (std::vector<std::string>{"progress Scanning for J2ME Starters", "~progress"}));
}

TEST(J2meScanner, DeviceArgumentsAreFormattedOnceWithTheIdAsItIs) {
    EXPECT_EQ(formatValues(u"-Xdescriptor:%%1 -Xdevice:%s", {u"100%s"}), u"-Xdescriptor:%1 -Xdevice:100%s");
    EXPECT_EQ(formatValues(u"%s %s - %s", {u"a", u"b"}), u"a b - %s");
}

// Portable emulators where people unpack them, down to grandchildren and no
// deeper, under their own names or renamed, as their manifests tell; copies of
// one emulator are told apart by their folders, and a configured starter marks
// only the copy whose archive it runs.
TEST(J2meScanner, PortableEmulatorsAreFoundWhereTheyAreUnpacked) {
    SdkMachine machine;
    machine.environment.set(u"JAVA_HOME", u"C:\\jdk8");
    machine.environment.set(u"ProgramFiles", u"C:\\Program Files");
    for (const char16_t* file : {u"C:\\jdk8\\bin\\java.exe", u"C:\\jdk8\\bin\\javaw.exe",
                                 u"C:\\Users\\Tester\\Downloads\\KEmulator nnmod\\KEmulator.jar",
                                 u"C:\\Users\\Tester\\Downloads\\KEmulator-1.2.jar",
                                 u"C:\\Program Files\\Emus\\K\\kemulator.jar",
                                 u"C:\\Users\\Tester\\Documents\\a\\b\\c\\microemulator.jar",
                                 u"D:\\Portable\\K\\KEmulator.jar"})
        machine.files.addFile(file, programArchive("emulator.Emulator"));
    const WideString free = u"C:\\Users\\Tester\\Desktop\\freej2me-plus\\";
    machine.files.addFile(free + u"FreeJ2ME-Plus-1.4.jar", programArchive("org.recompile.freej2me.FreeJ2ME"));
    machine.files.addFile(free + u"freej2me-lr.jar", programArchive("org.recompile.freej2me.Libretro"));
    machine.files.addFile(u"C:\\Users\\Tester\\Downloads\\KEmulator.jar", std::string("PK"));  // a broken download
    machine.files.addFile(u"C:\\jdk8\\release", "JAVA_VERSION=\"1.8.0_392\"\n");
    machine.registry.createKey(RegistryRoot::LocalMachine, u"SOFTWARE\\nnproject\\KEmulator");
    machine.registry.setString(RegistryRoot::LocalMachine, u"SOFTWARE\\nnproject\\KEmulator", u"JarInstalledPath",
                               u"D:\\Portable\\K\\KEmulator.jar");
    machine.store.list(StarterKind::J2ME).placeRecord(
        1, emulatorStarter(*presetForArchive(u"KEmulator.jar"), u"C:\\Program Files\\Emus\\K\\kemulator.jar",
                           u"C:\\jdk8\\bin\\javaw.exe"));
    machine.scanner.scan();
    machine.scanner.markConfigured();
    std::vector<std::string> rows;
    for (const DetectedStarter& d : machine.scanner.detected()) {
        EXPECT_EQ(d.starter.executableFile, u"C:\\jdk8\\bin\\javaw.exe");
        EXPECT_TRUE(d.starter.arguments.find(d.starter.startFolder) != WideString::npos);
        rows.push_back(SdkMachine::narrow(d.starter.name) + (d.configured ? " | configured" : ""));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"KEmulator in D:\\Portable\\K",
                                              "KEmulator in C:\\Users\\Tester\\Downloads",
                                              "KEmulator in C:\\Users\\Tester\\Downloads\\KEmulator nnmod",
                                              "FreeJ2ME-Plus",
                                              "KEmulator in C:\\Program Files\\Emus\\K | configured"}));
}
