#include "core/launch/starter_process_paths.h"

#include "core/starters/emulator_presets.h"
#include "core/text/ascii_case.h"
#include "core/text/message_format.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

// "%1" in the template takes the first parameter wherever it stands: the command
// line builder reads every percent sign afresh, so "%%1" takes it too.
bool takesParameter(const WideString& argumentTemplate, std::size_t number) {
    if (number < 1 || number > 9) return false;
    const char16_t placeholder[] = {u'%', static_cast<char16_t>(u'0' + number), u'\0'};
    return argumentTemplate.find(placeholder) != WideString::npos;
}

// The folder of the emulator archive a preset wrote into the arguments; empty
// for any other starter.
WideString emulatorFolderOf(const StarterRecord& starter) {
    const StarterEmulator emulator = emulatorOfStarter(starter);
    if (emulator.preset == nullptr) return {};
    return withoutTrailingSeparators(splitPath(emulator.archive).folder);
}

bool isTemporaryCopy(Files& files, const WideString& path) {
    const WideString folder = files.temporaryFolder();
    return !folder.empty() && path.size() > folder.size() &&
           equalsIgnoringAsciiCase(std::u16string_view(path).substr(0, folder.size()), folder);
}

void replaceAll(WideString& text, const WideString& from, const WideString& to) {
    for (std::size_t at = text.find(from); at != WideString::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::optional<WideString> ansiReadablePath(Files& files, Environment& environment, const WideString& path) {
    if (environment.ansiCodePageHolds(path)) return path;
    const WideString shortForm = files.shortPath(path);
    if (shortForm.empty() || !environment.ansiCodePageHolds(shortForm)) return std::nullopt;
    return shortForm;
}

bool parametersReachStarter(Files& files, Environment& environment, const StarterRecord& starter,
                            const std::vector<WideString>& parameters) {
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (takesParameter(starter.arguments, i + 1) && !ansiReadablePath(files, environment, parameters[i]))
            return false;
    return true;
}

std::optional<UnreadablePath> makePathsReadable(Files& files, Environment& environment, StarterRecord& starter,
                                                std::vector<WideString>& parameters) {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (!takesParameter(starter.arguments, i + 1)) continue;
        const std::optional<WideString> readable = ansiReadablePath(files, environment, parameters[i]);
        if (!readable) return UnreadablePath{parameters[i], i + 1, isTemporaryCopy(files, parameters[i])};
        parameters[i] = *readable;
    }
    if (const std::optional<WideString> program = ansiReadablePath(files, environment, starter.executableFile))
        starter.executableFile = *program;
    const WideString folder = emulatorFolderOf(starter);
    if (!folder.empty() && !environment.ansiCodePageHolds(folder)) {
        const std::optional<WideString> readable = ansiReadablePath(files, environment, folder);
        if (!readable) return UnreadablePath{folder, 0};
        // The start folder stays long: a process's current folder is set in UTF-16.
        replaceAll(starter.arguments, folder, *readable);
    }
    return std::nullopt;
}

WideString unreadablePathText(StarterKind kind, const StarterRecord& starter, const UnreadablePath& unreadable) {
    const bool descriptor = kind == StarterKind::J2ME && unreadable.parameter == 1;
    const WideString what = unreadable.parameter == 0 ? u"The emulator's folder"
                            : unreadable.temporaryCopy
                                ? (descriptor ? u"The temporary copy of the JAD file" : u"The temporary copy of the JAR file")
                            : descriptor ? u"The JAD file"
                                         : u"The JAR file";
    const WideString move =
        unreadable.parameter == 0
            ? u"Move or rename the emulator's folder so that its path uses only characters of the system's language, "
              u"then change the starter to the new folder in the setup."
        : unreadable.temporaryCopy
            ? u"Set the user variable TEMP to a folder whose path uses only characters of the system's language "
              u"(for example C:\\Temp), then open the file again."
            : u"Move the file to a folder whose path uses only characters of the system's language, or rename the "
              u"file or its folders that way, then open it again.";
    return formatValues(u"%s cannot be passed to the starter \"%s\":\n%s\nIts program reads the command line in the "
                        u"system's code page, which cannot hold some of the characters of this path, and the drive "
                        u"keeps no short names for it.\n%s",
                        {what, starter.name, unreadable.path, move});
}

}  // namespace quillmont
