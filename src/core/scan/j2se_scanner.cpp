#include "core/scan/j2se_scanner.h"

#include <map>
#include <set>
#include <span>

#include "core/scan/java_installations.h"
#include "core/scan/pattern/pattern_matcher.h"

namespace quillmont {

namespace {

// A subkey name that is a whole version number: 1.6.0_45, not 1.6.
constexpr char16_t kFullVersionPattern[] = u"^\\d+\\.\\d+\\.[0-9_\\.]+$";

}  // namespace

void J2seScanner::scan() {
    offers_.clear();
    scanRegistryKey(kRuntimeKey, false);
    scanRegistryKey(kDevelopmentKitKey, true);
    // Then the other views and roots, the newer JavaSoft keys and the vendors' own,
    // and the folders outside the registry.
    JavaInstallations(*this, utilities(), platform()).scan();
    proposeOffers();
}

void J2seScanner::proposeOffers() {
    std::map<WideString, std::set<WideString>> homesByName;
    for (const Offer& offer : offers_)
        homesByName[offer.proposal.starter.name].insert(platform().environment.lowerCase(offer.home));
    for (Offer& offer : offers_) {
        if (!offer.keepName && homesByName[offer.proposal.starter.name].size() > 1) {
            const WideString where = u" in " + offer.home;
            offer.proposal.group += where;
            offer.proposal.starter.name += where;
        }
    }
    for (Offer& offer : offers_) addDetected(std::move(offer.proposal));
    offers_.clear();
}

void J2seScanner::scanRegistryKey(const WideString& key, bool developmentKit) {
    NameList versions;
    utilities().enumRegistrySubkeys(RegistryRoot::LocalMachine, key, versions);
    for (const WideString& version : versions) {
        const WideString javaHome =
            utilities().readRegistryString(RegistryRoot::LocalMachine, key + u"\\" + version, u"JavaHome");
        if (javaHome.empty()) continue;
        // No existence check here: a registered runtime whose folder is gone is
        // still proposed when its subkey names a full version.
        for (const Launcher& launcher : developmentKit ? std::span<const Launcher>(kKitLaunchers)
                                                        : std::span<const Launcher>(kRuntimeLaunchers))
            propose(launcher, javaHome, version);
    }
}

void J2seScanner::propose(const Launcher& launcher, const WideString& javaHome, const WideString& fallbackVersion) {
    const WideString executable = joinPath(javaHome, launcher.executable);
    const WideString version = javaVersionOf(executable, fallbackVersion);
    if (version.empty()) return;
    offer({proposalFor(launcher, executable, version, false), javaHome, true});
}

DetectedStarter J2seScanner::proposalFor(const Launcher& launcher, const WideString& executable,
                                         const WideString& version, bool bits32, const WideString& vendor) {
    const WideString window = WideString(u" (") + launcher.window + (bits32 ? u", 32-bit)" : u")");
    const WideString by = vendor.empty() ? WideString() : vendor + u" ";
    DetectedStarter proposal;
    proposal.group = by + u"JRE " + version + window;
    proposal.rank = launcher.rank;
    proposal.starter = {by + launcher.label + (u" " + version) + window, executable, kArguments};
    return proposal;
}

WideString J2seScanner::javaVersionOf(const WideString& executable, const WideString& fallback) {
    const WideString version = fullVersionOf(executable);
    if (!version.empty()) return version;
    return isFullVersion(fallback) ? fallback : WideString();
}

WideString J2seScanner::fullVersionOf(const WideString& executable) {
    VersionResources& resources = platform().versions;
    const std::optional<VersionTranslation> translation = resources.firstTranslation(executable);
    if (!translation) return {};
    const std::optional<WideString> full = resources.stringValue(executable, *translation, u"Full Version");
    return full ? full->substr(0, full->find(u'-')) : WideString();
}

bool J2seScanner::isFullVersion(const WideString& text) {
    PatternMatcher fullVersion;
    fullVersion.parse(kFullVersionPattern, true);
    MatchContext context;
    return fullVersion.match(text, context);
}

}  // namespace quillmont
