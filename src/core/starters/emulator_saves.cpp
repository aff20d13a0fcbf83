#include "core/starters/emulator_saves.h"

#include <optional>
#include <vector>

#include "core/text/path_parts.h"

namespace quillmont {

namespace {

constexpr char16_t kOwnFolder[] = u"Quillmont";
constexpr char16_t kProbeName[] = u"Quillmont write check.tmp";

// Whether `path` is `folder` or lies below it, letter case aside.
bool isWithin(Environment& environment, const WideString& path, const WideString& folder) {
    const WideString base = environment.lowerCase(withoutTrailingSeparators(folder));
    const WideString lower = environment.lowerCase(path);
    if (base.empty() || !lower.starts_with(base)) return false;
    return lower.size() == base.size() || isPathSeparator(lower[base.size()]) || isPathSeparator(base.back());
}

std::optional<WideString> ownRoot(Environment& environment) {
    const std::optional<WideString> local = environment.variable(u"LOCALAPPDATA");
    if (!local || local->empty()) return std::nullopt;
    return joinPath(*local, kOwnFolder);
}

bool underProgramFiles(Environment& environment, const WideString& folder) {
    for (const char16_t* variable : {u"ProgramFiles", u"ProgramFiles(x86)"})
        if (const std::optional<WideString> programs = environment.variable(variable))
            if (isWithin(environment, folder, *programs)) return true;
    return false;
}

// Writing is the one test that sees every reason it may fail: the folder's
// permissions, a read-only medium, a share.
bool canWriteIn(Files& files, const WideString& folder) {
    const WideString probe = joinPath(folder, kProbeName);
    if (!files.createAndWrite(probe, {})) return false;
    files.deleteFile(probe);
    return true;
}

// "C:\Program Files\FreeJ2ME-Plus" as "C\Program Files\FreeJ2ME-Plus", a share's
// "\\server\emus" as "UNC\server\emus": a relative path that keeps copies apart.
WideString mirrored(const WideString& folder) {
    if (folder.size() >= 2 && folder[1] == u':') return folder.substr(0, 1) + folder.substr(2);
    if (folder.size() >= 2 && isPathSeparator(folder[0]) && isPathSeparator(folder[1])) return u"UNC" + folder.substr(1);
    return folder;
}

}  // namespace

WideString emulatorStartFolder(Files& files, Environment& environment, const EmulatorPreset& preset,
                               const WideString& folder) {
    if (preset.emulator != Emulator::FreeJ2mePlus) return folder;
    const std::optional<WideString> own = ownRoot(environment);
    if (!own || (!underProgramFiles(environment, folder) && canWriteIn(files, folder))) return folder;
    return joinPath(joinPath(*own, preset.name), mirrored(folder));
}

void createOwnStartFolder(Files& files, Environment& environment, const WideString& startFolder) {
    const std::optional<WideString> own = ownRoot(environment);
    if (!own || !isWithin(environment, startFolder, *own)) return;
    std::vector<WideString> missing;
    for (WideString folder = withoutTrailingSeparators(startFolder); !files.attributes(folder);
         folder = folderOf(folder)) {
        if (folder.size() <= 3) break;  // a drive that is not there
        missing.push_back(folder);
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder)
        if (!files.createFolder(*folder)) return;
}

}  // namespace quillmont
