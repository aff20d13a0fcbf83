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

}  // namespace quillmont::testing
