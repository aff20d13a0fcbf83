#include "core/scan/j2se_scanner.h"

#include "core/scan/java_installations.h"
#include "core/scan/pattern/pattern_matcher.h"

namespace quillmont {

namespace {

// A subkey name that is a whole version number: 1.6.0_45, not 1.6.
constexpr char16_t kFullVersionPattern[] = u"^\\d+\\.\\d+\\.[0-9_\\.]+$";

using Template = J2seScanner::Template;

// A runtime of its own (1) beats the one inside a kit (0), which beats the kit's
// own launcher (-1); windowed and console launchers of one version group apart.
constexpr Template kRuntimeTemplates[] = {
    {u"bin\\javaw.exe", u"JRE %s (GUI)", u"JRE %s (GUI)", 1},
    {u"bin\\java.exe", u"JRE %s (Console)", u"JRE %s (Console)", 1},
};
constexpr Template kDevelopmentKitTemplates[] = {
    {u"jre\\bin\\javaw.exe", u"JRE in JDK %s (GUI)", u"JRE %s (GUI)", 0},
    {u"jre\\bin\\java.exe", u"JRE in JDK %s (Console)", u"JRE %s (Console)", 0},
    {u"bin\\javaw.exe", u"JDK %s (GUI)", u"JRE %s (GUI)", -1},
    {u"bin\\java.exe", u"JDK %s (Console)", u"JRE %s (Console)", -1},
};

WideString format(const char16_t* pattern, const WideString& version) {
    WideString text = pattern;
    const std::size_t at = text.find(u"%s");
    return at == WideString::npos ? text : text.replace(at, 2, version);
}

}  // namespace

void J2seScanner::scan() {
    scanRegistryKey(kRuntimeKey, false);
    scanRegistryKey(kDevelopmentKitKey, true);
    // Then the other views and roots, the newer JavaSoft keys and the vendors' own.
    JavaInstallations(*this, utilities(), platform()).scan();
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
        if (developmentKit)
            for (const Template& t : kDevelopmentKitTemplates) propose(t, javaHome, version);
        else
            for (const Template& t : kRuntimeTemplates) propose(t, javaHome, version);
    }
}

void J2seScanner::propose(const Template& launcher, const WideString& javaHome, const WideString& fallbackVersion) {
    DetectedStarter proposal;
    proposal.executableFile = joinPath(javaHome, launcher.executable);
    const WideString version = javaVersionOf(proposal.executableFile, fallbackVersion);
    if (version.empty()) return;
    proposal.group = format(launcher.group, version);
    proposal.rank = launcher.rank;
    proposal.name = format(launcher.name, version);
    proposal.arguments = kArguments;
    addDetected(std::move(proposal));
}

WideString J2seScanner::javaVersionOf(const WideString& executable, const WideString& fallback) {
    VersionResources& resources = platform().versions;
    if (const std::optional<VersionTranslation> translation = resources.firstTranslation(executable)) {
        const std::optional<WideString> full = resources.stringValue(executable, *translation, u"Full Version");
        if (full) {
            const WideString version = full->substr(0, full->find(u'-'));
            if (!version.empty()) return version;
        }
    }
    return isFullVersion(fallback) ? fallback : WideString();
}

bool J2seScanner::isFullVersion(const WideString& text) {
    PatternMatcher fullVersion;
    fullVersion.parse(kFullVersionPattern, true);
    MatchContext context;
    return fullVersion.match(text, context);
}

}  // namespace quillmont
