// The portable emulators: Java programs unpacked from a zip wherever the user
// chose, found by their archive in a fixed, shallow set of folders.
#include <map>

#include "core/scan/emulator_archive.h"
#include "core/scan/emulator_java.h"
#include "core/scan/j2me/j2me_scanner.h"
#include "core/starters/emulator_saves.h"
#include "core/text/ascii_case.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

constexpr char16_t kKEmulatorKey[] = u"SOFTWARE\\nnproject\\KEmulator";
// The folders are searched with their children and grandchildren, never deeper:
// an archive unpacked into Downloads lands at most there.
constexpr int kSearchDepth = 2;

// Every character but ASCII letters and digits stands for itself after a backslash.
WideString literalPattern(const WideString& text) {
    WideString pattern;
    for (char16_t c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        if (!plain) pattern += u'\\';
        pattern += c;
    }
    return pattern;
}

}  // namespace

struct J2meScanner::PortableEmulator {
    const EmulatorPreset* preset;
    WideString folder;
    WideString archive;
};

void J2meScanner::portableEmulatorDetector() {
    std::set<WideString> searched;
    std::vector<PortableEmulator> found;
    // KEmulator's installer, where one was used, names its archive or its folder.
    for (const WideString& path : machineValues(kKEmulatorKey, u"JarInstalledPath")) {
        const bool names = endsWithIgnoringAsciiCase(path, u".jar");
        findPortableEmulators(names ? folderOf(path) : path, kSearchDepth, searched, found);
    }
    Environment& environment = platform().environment;
    std::vector<WideString> roots;
    if (const std::optional<WideString> profile = environment.variable(u"USERPROFILE"))
        for (const char16_t* folder : {u"Downloads", u"Desktop", u"Documents"}) roots.push_back(joinPath(*profile, folder));
    if (const std::optional<WideString> local = environment.variable(u"LOCALAPPDATA"))
        roots.push_back(joinPath(*local, u"Programs"));
    for (const char16_t* variable : {u"ProgramFiles", u"ProgramFiles(x86)"})
        if (const std::optional<WideString> folder = environment.variable(variable)) roots.push_back(*folder);
    if (const std::optional<WideString> drive = environment.variable(u"SystemDrive")) roots.push_back(*drive + u"\\");
    for (const WideString& root : roots) findPortableEmulators(root, 0, searched, found);

    // Copies of one emulator are told apart by their folders, or by their
    // archives where two share a folder.
    std::map<const EmulatorPreset*, int> copies;
    std::map<std::pair<const EmulatorPreset*, WideString>, int> besides;
    for (const PortableEmulator& emulator : found) {
        ++copies[emulator.preset];
        ++besides[{emulator.preset, lowerAscii(emulator.folder)}];
    }
    const StarterList noJavaStarters;
    EmulatorJavaFinder java(platform(), context().javaStarters != nullptr ? *context().javaStarters : noJavaStarters);
    for (const PortableEmulator& emulator : found) {
        const WideString& folder = emulator.folder;
        // Without any Java there is nothing to run an emulator with.
        const std::optional<EmulatorJava> launcher = java.find(*emulator.preset, folder);
        if (!launcher) continue;
        DetectedStarter entry;
        entry.starter = emulatorStarter(*emulator.preset, emulator.archive, launcher->launcher);
        entry.starter.startFolder =
            emulatorStartFolder(platform().files, platform().environment, *emulator.preset, folder);
        if (copies[emulator.preset] > 1)
            entry.starter.name +=
                u" in " + (besides[{emulator.preset, lowerAscii(folder)}] > 1 ? emulator.archive : folder);
        entry.group = entry.starter.name;
        // A configured starter is this one when it runs this copy's archive.
        entry.requireArgumentsPattern = u".*" + literalPattern(emulator.archive) + u".*";
        addDetected(std::move(entry));
    }
}

// The folder's own emulator archives, then its subfolders' down to the depth. An
// archive named like an emulator is one when its manifest says so.
void J2meScanner::findPortableEmulators(const WideString& folder, int depth, std::set<WideString>& searched,
                                        std::vector<PortableEmulator>& found) {
    if (folder.empty() || !firstVisit(searched, folder)) return;
    NameList archives;
    utilities().enumFiles(folder, u"*.jar", archives);
    for (const WideString& name : archives) {
        if (presetForArchive(name) == nullptr) continue;
        const WideString archive = joinPath(folder, name);
        if (const EmulatorPreset* preset = emulatorOfArchive(platform().files, archive).preset)
            found.push_back({preset, folder, archive});
    }
    if (depth >= kSearchDepth) return;
    NameList subfolders;
    utilities().enumSubfolders(folder, subfolders);
    for (const WideString& subfolder : subfolders)
        findPortableEmulators(joinPath(folder, subfolder), depth + 1, searched, found);
}

}  // namespace quillmont
