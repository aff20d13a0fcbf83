#pragma once

#include "core/scan/starter_scanner.h"

namespace quillmont {

// Proposes a windowed and a console starter for every Java runtime and
// development kit that the registry lists, named after the exact version.
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
    // A whole version number such as 1.6.0_45 or 21.0.1.12; 1.6 and 21 are not.
    static bool isFullVersion(const WideString& text);

    // One row of the proposal table: the launcher below JavaHome, the name and
    // group with %s for the version, and the rank within the group.
    struct Template {
        const char16_t* executable;
        const char16_t* name;
        const char16_t* group;
        std::int32_t rank;
    };

private:
    void scanRegistryKey(const WideString& key, bool developmentKit);
    void propose(const Template& launcher, const WideString& javaHome, const WideString& fallbackVersion);
};

}  // namespace quillmont
