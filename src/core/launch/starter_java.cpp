#include "core/launch/starter_java.h"

#include <algorithm>

#include "core/scan/java_release.h"
#include "core/text/message_format.h"
#include "core/text/path_parts.h"

namespace quillmont {

int StarterJavaVersions::of(int slot) {
    if (const auto found = known_.find(slot); found != known_.end()) return found->second;
    int version = 0;
    const WideString& program = starters_.record(slot).executableFile;
    // A bare "javaw.exe" is found on the search path when it starts; which one that
    // is cannot be told here, and a release file beside the current folder is no
    // part of it.
    const WideString bin = folderOf(program);
    if (javaLauncherOf(program) != JavaLauncher::None && !bin.empty())
        version = launcherFeatureVersion(JavaRelease::read(platform_.files, folderOf(bin)), platform_.versions,
                                         program);
    known_.emplace(slot, version);
    return version;
}

namespace {

WideString number(int value) { return decimalText(static_cast<std::uint64_t>(value)); }

// The newest starter other than `chosen` whose Java is new enough, one with the
// chosen starter's javaw.exe first (no console window where none was wanted);
// 0 when there is none. Of equally new ones the first in slot order.
int newestSuitable(StarterJavaVersions& versions, const StarterList& list, int chosen, int needed) {
    const bool wantsJavaw = javaLauncherOf(list.record(chosen).executableFile) == JavaLauncher::Javaw;
    int best = 0;
    int bestRank = 0;
    for (int slot = list.nextSlot(0); slot != 0; slot = list.nextSlot(slot)) {
        const int version = slot == chosen ? 0 : versions.of(slot);
        if (version < needed) continue;
        const bool sameKind = !wantsJavaw || javaLauncherOf(list.record(slot).executableFile) == JavaLauncher::Javaw;
        const int rank = (sameKind ? 1 << 16 : 0) + version;
        if (rank > bestRank) best = slot, bestRank = rank;
    }
    return best;
}

int newestKnown(StarterJavaVersions& versions, const StarterList& list) {
    int newest = 0;
    for (int slot = list.nextSlot(0); slot != 0; slot = list.nextSlot(slot)) newest = std::max(newest, versions.of(slot));
    return newest;
}

}  // namespace

std::int32_t confirmStarterJava(LaunchContext& context, std::int32_t chosen, int needed,
                                const WideString& archivePath) {
    if (needed == 0) return chosen;
    const StarterList& list = context.settings().list(StarterKind::J2SE);
    StarterJavaVersions versions(context.platform, list);
    const int runs = versions.of(chosen);
    // A starter whose Java is unknown may well be new enough: it is never held back.
    if (runs == 0 || runs >= needed) return chosen;

    UserInterface& ui = context.platform.ui;
    const WideString& name = list.record(chosen).name;
    const WideString need = formatValues(u"\"%s\" needs Java %s or newer, but the starter \"%s\" runs Java %s.",
                                         {fileNameOf(archivePath), number(needed), name, number(runs)});
    if (const int other = newestSuitable(versions, list, chosen, needed)) {
        const MessageAnswer answer = ui.showMessage(
            kNoWindow,
            need + formatValues(u"\n\nStart it with \"%s\", which runs Java %s, instead?\n\n"
                                u"Choose No to start it with \"%s\" anyway.",
                                {list.record(other).name, number(versions.of(other)), name}),
            MessageKind::OpeningOffer);
        if (answer == MessageAnswer::Yes) return other;
        return answer == MessageAnswer::No ? chosen : 0;
    }
    const int newest = newestKnown(versions, list);
    const WideString newestText = newest > runs
                                      ? formatValues(u" The newest Java among the J2SE starters is Java %s.", {number(newest)})
                                      : WideString(u" None of the J2SE starters runs a newer Java.");
    const MessageAnswer answer = ui.showMessage(
        kNoWindow,
        need + newestText +
            formatValues(u"\n\nInstall Java %s or newer, then add it with Scan in Quillmont's setup.\n\n"
                         u"Start it with \"%s\" anyway?",
                         {number(needed), name}),
        MessageKind::OpeningChoice);
    return answer == MessageAnswer::Yes ? chosen : 0;
}

}  // namespace quillmont
