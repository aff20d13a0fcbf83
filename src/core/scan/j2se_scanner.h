#pragma once

#include "core/scan/starter_scanner.h"

namespace quillmont {

// Proposes a windowed and a console starter for every Java runtime and
// development kit that the registry lists or that lies where build tools look for
// one, named after the exact version and, but for the classic keys, the vendor.
// No two proposals of a scan share a name: where two installations agree in
// vendor, kind, version and bitness, their folders tell them apart.
class J2seScanner final : public StarterScanner {
public:
    using StarterScanner::StarterScanner;

    // The classic keys of Sun's and Oracle's installers, and what every proposal runs.
    static constexpr char16_t kRuntimeKey[] = u"SOFTWARE\\JavaSoft\\Java Runtime Environment";
    static constexpr char16_t kDevelopmentKitKey[] = u"SOFTWARE\\JavaSoft\\Java Development Kit";
    static constexpr char16_t kArguments[] = u"-jar %1 %*";

    WideString progressTitle() const override { return u"Scanning for J2SE Starters"; }
    WideString noneFoundMessage() const override { return u"No J2SE starters are detected."; }
    WideString resultsTitle() const override { return u"Detected J2SE Starters"; }
    void scan() override;

    // The version that names an installation's launcher: the launcher's "Full
    // Version" up to its first "-", else the fallback when it is a full version
    // number (1.6.0_45, not 1.6); empty when neither gives one.
    WideString javaVersionOf(const WideString& executable, const WideString& fallback);
    // The launcher's "Full Version" up to its first "-"; empty without one.
    WideString fullVersionOf(const WideString& executable);
    // A whole version number such as 1.6.0_45 or 21.0.1.12; 1.6 and 21 are not.
    static bool isFullVersion(const WideString& text);

    // A launcher below an installation's home, and how its proposals are named:
    // "<label> <version> (<window>)" in the group "JRE <version> (<window>)".
    // Within a group a runtime of its own (1) beats the one inside a kit (0), which
    // beats the kit's own launcher (-1).
    struct Launcher {
        const char16_t* executable;
        const char16_t* label;
        const char16_t* window;
        std::int32_t rank;
    };
    static constexpr Launcher kRuntimeLaunchers[] = {
        {u"bin\\javaw.exe", u"JRE", u"GUI", 1},
        {u"bin\\java.exe", u"JRE", u"Console", 1},
    };
    static constexpr Launcher kKitLaunchers[] = {
        {u"jre\\bin\\javaw.exe", u"JRE in JDK", u"GUI", 0},
        {u"jre\\bin\\java.exe", u"JRE in JDK", u"Console", 0},
        {u"bin\\javaw.exe", u"JDK", u"GUI", -1},
        {u"bin\\java.exe", u"JDK", u"Console", -1},
    };
    // The proposal for a launcher of a version; a 32-bit one says so in its name
    // and group, so that it leads a group of its own, and so does a vendor:
    // "<vendor> <label> <version> (<window>)".
    static DetectedStarter proposalFor(const Launcher& launcher, const WideString& executable,
                                       const WideString& version, bool bits32, const WideString& vendor = {});

    // A proposal made during the scan, before its name is known to be the only one.
    struct Offer {
        DetectedStarter proposal;
        WideString home;  // the installation's folder
        bool keepName;    // a classic key's proposal keeps its name as it is
    };
    void offer(Offer offer) { offers_.push_back(std::move(offer)); }
    const std::vector<Offer>& offers() const { return offers_; }

private:
    // Gives every proposal that shares its name with another installation's the
    // installation's folder in its name and group; then proposes them all.
    void proposeOffers();

    void scanRegistryKey(const WideString& key, bool developmentKit);
    void propose(const Launcher& launcher, const WideString& javaHome, const WideString& fallbackVersion);

    std::vector<Offer> offers_;
};

}  // namespace quillmont
