#include "core/setup/starter_edit_model.h"

#include "core/launch/read_failure.h"
#include "core/scan/emulator_archive.h"
#include "core/starters/emulator_saves.h"
#include "core/starters/java_launcher.h"
#include "core/text/ascii_case.h"
#include "core/text/message_format.h"
#include "core/text/path_parts.h"
#include "core/text/trim.h"

namespace quillmont {

const StarterEditVariant& starterEditVariant(StarterKind kind) {
    static const StarterEditVariant j2se{u"J2SE Starter", u"Arguments (%1 - JAR file name, %* - external arguments)",
                                         {u" -jar %1", u" %*"}};
    static const StarterEditVariant j2me{
        u"J2ME Starter", u"Arguments (%1 - JAD file name, %2 - JAR file name, %* - external arguments)",
        {u" -Xdescriptor:%1", u" -Xdevice:?"}};
    return kind == StarterKind::J2SE ? j2se : j2me;
}

StarterEditOutcome checkStarterFields(const WideString& name, const WideString& executableFile,
                                      const WideString& arguments, const WideString& startFolder) {
    const StarterRecord record{trimmed(name), unquoted(executableFile), trimmed(arguments),
                               unquoted(startFolder)};
    if (record.name.empty()) return {std::nullopt, u"The \"Name\" field is empty."};
    if (record.executableFile.empty()) return {std::nullopt, u"The \"Executable File\" field is empty."};
    if (endsWithIgnoringAsciiCase(record.executableFile, u".jar"))
        return {std::nullopt,
                formatValues(u"\"%s\" is a Java archive, which Windows does not start by itself.\nChoose the "
                             u"javaw.exe of a Java as the Executable File, and begin the Arguments with -jar \"%s\".",
                             {fileNameOf(record.executableFile), record.executableFile})};
    return {record, {}};
}

std::optional<WideString> argumentsForJavaLauncher(StarterKind kind, const WideString& executableFile,
                                                   const WideString& arguments) {
    if (kind != StarterKind::J2SE || !trimmed(arguments).empty()) return std::nullopt;
    if (javaLauncherOf(unquoted(executableFile)) == JavaLauncher::None) return std::nullopt;
    return WideString(u"-jar %1 %*");
}

WideString argumentsWarning(StarterKind kind, const StarterRecord& record) {
    if (kind != StarterKind::J2SE || record.arguments.find(u"%1") != WideString::npos) return {};
    return u"The arguments do not contain %1, so the JAR file will not be passed to the program.\n\n"
           u"Save the starter anyway?";
}

EmulatorFill fillForEmulator(EmulatorJavaFinder& java, Platform& platform, const WideString& path,
                             const StarterRecord& fields) {
    Files& files = platform.files;
    const WideString archive = files.fullPath(unquoted(path));
    if (!endsWithIgnoringAsciiCase(archive, u".jar")) return {};
    const std::optional<FileAttributes> found = files.attributes(archive);
    if (!found || found->directory) return {};
    const ArchiveEmulator what = emulatorOfArchive(files, archive);
    if (!what.damage.empty()) return {std::nullopt, {}, readErrorText(archive, what.damage)};
    if (what.preset == nullptr) return {};
    const EmulatorPreset& preset = *what.preset;
    const WideString folder = withoutTrailingSeparators(splitPath(archive).folder);
    const std::optional<EmulatorJava> launcher = java.find(preset, folder);
    if (!launcher)
        return {std::nullopt, {},
                formatValues(u"No Java runtime is found to run %s.\nInstall Java or add a J2SE starter, then choose "
                             u"%s again.",
                             {preset.name, fileNameOf(archive)})};
    StarterRecord record = emulatorStarter(preset, archive, launcher->launcher);
    record.startFolder = emulatorStartFolder(files, platform.environment, preset, folder);
    if (!trimmed(fields.name).empty()) record.name = fields.name;
    WideString note = u"Java: " + launcher->source + u".";
    if (!launcher->fits) note += u" " + javaNeedOf(preset, java.emulatorIs32Bit(folder)) + u" No such Java is found.";
    if (record.startFolder != folder)
        note += formatText(u" %s keeps its settings and saves in the folder it starts in; its own folder is no place "
                           u"for them, so it starts in a folder of your own.",
                           preset.name);
    return {record, note, {}};
}

ProgramChange afterProgramChange(const StarterRecord& filled, const StarterRecord& fields) {
    ProgramChange change{fields};
    if (equalsIgnoringAsciiCase(unquoted(fields.executableFile), filled.executableFile)) return change;
    change.clearNote = true;
    if (javaLauncherOf(unquoted(fields.executableFile)) != JavaLauncher::None) return change;
    if (fields.arguments == filled.arguments) change.fields.arguments.clear();
    if (fields.startFolder == filled.startFolder) change.fields.startFolder.clear();
    change.forgetFill = true;
    return change;
}

}  // namespace quillmont
