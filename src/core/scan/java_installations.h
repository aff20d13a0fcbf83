#pragma once

#include <cstdint>
#include <optional>
#include <set>

#include "core/scan/j2se_scanner.h"
#include "core/scan/java_release.h"

namespace quillmont {

// The Java installations that the two classic JavaSoft keys in the program's own
// view do not show: those keys in the 32-bit view and under the current user, the
// JavaSoft keys of Java 9 and later, and the keys that Adoptium, AdoptOpenJDK,
// Eclipse, IBM Semeru, Microsoft, Azul and BellSoft write, each in both views of
// both roots; then the homes outside the registry (JavaFolders). Proposals go to
// the scanner; a launcher that is proposed already, under whatever name and
// however its path is written, is not proposed again. But for the classic keys, a
// home's release file, when it has one, gives the version, vendor and bitness.
class JavaInstallations {
public:
    JavaInstallations(J2seScanner& scanner, const ScannerUtilities& utilities, Platform& platform)
        : scanner_(scanner), utilities_(utilities), platform_(platform) {}

    void scan();

private:
    using Launcher = J2seScanner::Launcher;

    // One registry root in one of its views.
    struct Place {
        RegistryRoot root;
        RegistryView view;
    };
    // What a registered folder holds: a runtime, a kit, or (where the key does not
    // say) a kit exactly when bin\javac.exe is in it.
    enum class HomeKind { Runtime, DevelopmentKit, ByContents };
    // A folder that a key names, and how to propose its launchers.
    struct Home {
        WideString folder;
        WideString subkey;  // the registry's name for the installation; may be a version
        HomeKind kind;
        bool classic;       // a classic JavaSoft key: read by the same rules as in the own view
        bool registered32;  // found in the 32-bit view of the machine's keys
        WideString vendor;  // the vendor the key or folder names, or empty
    };

    static bool isMachine32(Place place);
    void scanPlace(Place place);
    void scanJavaHomeKey(Place place, const WideString& key, HomeKind kind, bool classic);
    void scanVendorKey(Place place, const WideString& key, HomeKind kind);
    void scanInstallationPathKey(Place place, const WideString& key);
    void proposeHome(const Home& home);
    void propose(const Home& home, const Launcher& launcher, const std::optional<JavaRelease>& release);
    WideString launcherVersion(const WideString& executable);
    bool proposedAlready(const WideString& executable);
    WideString pathKey(const WideString& executable);

    J2seScanner& scanner_;
    const ScannerUtilities& utilities_;
    Platform& platform_;
    std::set<WideString> proposedPaths_;  // every launcher proposed so far, in lower case
};

}  // namespace quillmont
