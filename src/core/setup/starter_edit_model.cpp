#include "core/setup/starter_edit_model.h"

#include "core/starters/java_launcher.h"
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

EmulatorFill fillForEmulator(EmulatorJavaFinder& java, Files& files, const WideString& path,
                             const StarterRecord& fields) {
    const WideString archive = files.fullPath(unquoted(path));
    const EmulatorPreset* preset = presetForArchive(archive);
    const std::optional<FileAttributes> found = preset ? files.attributes(archive) : std::nullopt;
    if (!found || found->directory) return {};
    const WideString folder = folderOf(archive);
    const std::optional<EmulatorJava> launcher = java.find(*preset, folder);
    if (!launcher)
        return {std::nullopt, {},
                formatValues(u"No Java runtime is found to run %s.\nInstall Java or add a J2SE starter, then choose "
                             u"%s again.",
                             {preset->name, preset->archive})};
    StarterRecord record = emulatorStarter(*preset, folder, launcher->launcher);
    if (!trimmed(fields.name).empty()) record.name = fields.name;
    WideString note = u"Java: " + launcher->source + u".";
    if (!launcher->fits) note += u" " + javaNeedOf(*preset, java.emulatorIs32Bit(folder)) + u" No such Java is found.";
    return {record, note, {}};
}

}  // namespace quillmont
