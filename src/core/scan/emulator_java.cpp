#include "core/scan/emulator_java.h"

#include <utility>

#include "core/scan/executable_machine.h"
#include "core/scan/j2se_scanner.h"
#include "core/scan/java_release.h"
#include "core/scan/scanner_utilities.h"
#include "core/text/ascii_case.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

// The J2SE scan, run for its proposals alone: it shows no window.
class SilentScanDialogs final : public ScanDialogs {
public:
    std::unique_ptr<ScanProgress> showProgress(WindowRef, const WideString&) override { return nullptr; }
    bool runResults(WindowRef, const WideString&, std::vector<DetectedStarter>&) override { return false; }
};

}  // namespace

std::optional<EmulatorJava> EmulatorJavaFinder::find(const EmulatorPreset& preset, const WideString& emulatorFolder) {
    const bool bits32 = emulatorIs32Bit(emulatorFolder);
    std::vector<Candidate> fromStarters;
    for (int slot = javaStarters_.nextSlot(0); slot != 0; slot = javaStarters_.nextSlot(slot)) {
        const StarterRecord& starter = javaStarters_.record(slot);
        addCandidate(fromStarters, starter.executableFile, u"the J2SE starter \"" + starter.name + u"\"");
    }
    auto firstFitting = [&](const std::vector<Candidate>& candidates) -> const Candidate* {
        for (const Candidate& candidate : candidates)
            if (javaFits(preset, bits32, candidate.traits)) return &candidate;
        return nullptr;
    };
    const Candidate* chosen = firstFitting(fromStarters);
    if (chosen == nullptr) chosen = firstFitting(scanned());
    if (chosen != nullptr) return EmulatorJava{chosen->launcher, chosen->source, true};
    for (const std::vector<Candidate>* candidates : {&std::as_const(fromStarters), &scanned()})
        if (!candidates->empty()) return EmulatorJava{candidates->front().launcher, candidates->front().source, false};
    return std::nullopt;
}

bool EmulatorJavaFinder::emulatorIs32Bit(const WideString& emulatorFolder) {
    for (const DirectoryEntry& entry : platform_.files.findEntries(joinPath(emulatorFolder, u"*.dll")))
        if (!entry.directory &&
            executableBitness(platform_.files, joinPath(emulatorFolder, entry.name)) == ExecutableBitness::Bits32)
            return true;
    return false;
}

// A starter's java.exe gives the javaw.exe beside it: the emulators are windowed
// programs, and a console window beside them would only confuse.
void EmulatorJavaFinder::addCandidate(std::vector<Candidate>& to, const WideString& executable,
                                      const WideString& source) {
    const WideString name = lowerAscii(fileNameOf(executable));
    if (name != u"javaw.exe" && name != u"java.exe") return;
    const WideString launcher = name == u"javaw.exe" ? executable : joinPath(folderOf(executable), u"javaw.exe");
    const std::optional<FileAttributes> found = platform_.files.attributes(launcher);
    if (!found || found->directory) return;
    for (const Candidate& earlier : to)
        if (platform_.environment.lowerCase(earlier.launcher) == platform_.environment.lowerCase(launcher)) return;
    to.push_back({launcher, source, traitsOf(launcher)});
}

// The home's release file when it says; else the launcher's version resource
// (8.0.3920.8 for Java 8, 17.0.9.0 for 17) and its PE header.
JavaTraits EmulatorJavaFinder::traitsOf(const WideString& launcher) {
    JavaTraits traits;
    const std::optional<JavaRelease> release = JavaRelease::read(platform_.files, folderOf(folderOf(launcher)));
    traits.featureVersion = launcherFeatureVersion(release, platform_.versions, launcher);
    const std::optional<bool> releaseBits32 = release ? release->is32Bit() : std::nullopt;
    traits.bits32 = releaseBits32 ? *releaseBits32
                                  : executableBitness(platform_.files, launcher) == ExecutableBitness::Bits32;
    return traits;
}

const std::vector<EmulatorJavaFinder::Candidate>& EmulatorJavaFinder::scanned() {
    if (scanned_) return *scanned_;
    scanned_.emplace();
    SilentScanDialogs dialogs;
    StarterList scratch;
    J2seScanner scanner({platform_, dialogs, scratch});
    scanner.scan();
    for (const DetectedStarter& proposal : scanner.detected())
        addCandidate(*scanned_, proposal.starter.executableFile,
                     u"\"" + proposal.starter.name + u"\", found by a J2SE scan");
    return *scanned_;
}

}  // namespace quillmont
