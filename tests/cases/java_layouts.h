#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace quillmont::testing {

// One registered Java installation: the key and value its installer writes, the
// home folder below a machine's root, and the launchers in it.
struct JavaInstallationLayout {
    RegistryRoot root;
    RegistryView view;
    std::u16string key;
    std::u16string valueName;
    std::u16string home;  // relative to the machine's folder
    std::vector<std::u16string> launchers;
};

// `count` installations spread over every layout the J2SE scan reads, both views
// and both roots, each with a version of its own in its key's name.
inline std::vector<JavaInstallationLayout> spreadJavaInstallations(int count) {
    struct Kind {
        const char16_t* key;  // %v: the version's subkey
        const char16_t* value;
        bool kit;
    };
    static const Kind kKinds[] = {
        {u"SOFTWARE\\JavaSoft\\Java Runtime Environment\\%v", u"JavaHome", false},
        {u"SOFTWARE\\JavaSoft\\Java Development Kit\\%v", u"JavaHome", true},
        {u"SOFTWARE\\JavaSoft\\JRE\\%v", u"JavaHome", false},
        {u"SOFTWARE\\JavaSoft\\JDK\\%v", u"JavaHome", true},
        {u"SOFTWARE\\Eclipse Adoptium\\JDK\\%v\\hotspot\\MSI", u"Path", true},
        {u"SOFTWARE\\Eclipse Adoptium\\JRE\\%v\\hotspot\\MSI", u"Path", false},
        {u"SOFTWARE\\AdoptOpenJDK\\JDK\\%v\\openj9\\MSI", u"Path", true},
        {u"SOFTWARE\\Eclipse Foundation\\JDK\\%v\\hotspot\\MSI", u"Path", true},
        {u"SOFTWARE\\Semeru\\JRE\\%v\\openj9\\MSI", u"Path", false},
        {u"SOFTWARE\\Microsoft\\JDK\\%v\\hotspot\\MSI", u"Path", true},
        {u"SOFTWARE\\Azul Systems\\Zulu\\zulu-%v", u"InstallationPath", true},
        {u"SOFTWARE\\BellSoft\\Liberica\\jdk-%v", u"InstallationPath", true},
    };
    std::vector<JavaInstallationLayout> layouts;
    for (int i = 0; i < count; ++i) {
        const Kind& kind = kKinds[i % std::size(kKinds)];
        const std::string number = std::to_string(8 + i % 14) + ".0." + std::to_string(100 + i) + "." + std::to_string(i % 9);
        const std::u16string version(number.begin(), number.end());
        std::u16string key = kind.key;
        key.replace(key.find(u"%v"), 2, version);
        JavaInstallationLayout layout;
        layout.root = i % 5 == 4 ? RegistryRoot::CurrentUser : RegistryRoot::LocalMachine;
        layout.view = (i / 2) % 2 == 0 ? RegistryView::Bits64 : RegistryView::Bits32;
        layout.key = key;
        layout.valueName = kind.value;
        layout.home = u"java " + version;
        layout.launchers = {u"bin\\javaw.exe", u"bin\\java.exe"};
        if (kind.kit) layout.launchers.push_back(u"bin\\javac.exe");
        layouts.push_back(layout);
    }
    return layouts;
}

// A Java home that no registry key names: its folder below a machine's root, and
// its release file.
struct JavaFolderHome {
    std::u16string home;
    std::string release;
};

// The environment that leads a scan to the places of spreadJavaFolderHomes below
// a machine's root: the profile, both Program Files folders, JAVA_HOME and PATH.
inline std::vector<std::pair<std::u16string, std::u16string>> javaFolderEnvironment(const std::u16string& root) {
    return {{u"USERPROFILE", root + u"\\profile"},
            {u"LOCALAPPDATA", root + u"\\profile\\AppData\\Local"},
            {u"ProgramFiles", root + u"\\pf"},
            {u"ProgramFiles(x86)", root + u"\\pf86"},
            {u"JAVA_HOME", root + u"\\unpacked\\jdk-0"},
            {u"PATH", root + u"\\unpacked\\jdk-1\\bin;C:\\windows\\system32;C:\\windows"}};
}

// `count` kits spread over every place outside the registry that the J2SE scan
// reads, each with a version of its own in its release file.
inline std::vector<JavaFolderHome> spreadJavaFolderHomes(int count) {
    static const char16_t* kPlaces[] = {
        u"pf\\Eclipse Adoptium\\jdk-%v", u"pf\\Amazon Corretto\\jdk%v", u"pf86\\Zulu\\zulu-%v",
        u"pf\\Java\\jdk-%v", u"pf\\Microsoft\\jdk-%v-hotspot", u"profile\\AppData\\Local\\Programs\\BellSoft\\jdk-%v",
        u"profile\\.jdks\\temurin-%v", u"profile\\.gradle\\jdks\\jdk-%v-windows\\jdk-%v", u"profile\\scoop\\apps\\jdk-%v\\current",
    };
    static const char* kVendors[] = {"Eclipse Adoptium", "Amazon.com Inc.", "Azul Systems, Inc.", "Oracle Corporation",
                                     "Microsoft", "BellSoft"};
    std::vector<JavaFolderHome> homes;
    for (int i = 0; i < count; ++i) {
        const std::string number = "17.0." + std::to_string(100 + i);
        const std::u16string version(number.begin(), number.end());
        std::u16string home = i < 2 ? u"unpacked\\jdk-" + std::u16string(1, static_cast<char16_t>(u'0' + i))
                                    : kPlaces[i % std::size(kPlaces)];
        for (std::size_t at = home.find(u"%v"); at != std::u16string::npos; at = home.find(u"%v"))
            home.replace(at, 2, version);
        homes.push_back({home, "JAVA_VERSION=\"" + number + "\"\nIMPLEMENTOR=\"" + kVendors[i % std::size(kVendors)] +
                                   "\"\nOS_ARCH=\"amd64\"\n"});
    }
    return homes;
}

}  // namespace quillmont::testing
