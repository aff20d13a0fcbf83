#include "core/setup/starter_edit_model.h"

#include "core/text/trim.h"

namespace quillmont {

const StarterEditVariant& starterEditVariant(StarterKind kind) {
    static const StarterEditVariant j2se{202, u"J2SE Starter", u"Arguments (%1 - JAR file name, %* - external arguments)",
                                         {u" -jar %1", u" %*"}};
    static const StarterEditVariant j2me{
        207, u"J2ME Starter", u"Arguments (%1 - JAD file name, %2 - JAR file name, %* - external arguments)",
        {u" -Xdescriptor:%1", u" -Xdevice:?"}};
    return kind == StarterKind::J2SE ? j2se : j2me;
}

StarterEditOutcome checkStarterFields(const WideString& name, const WideString& executableFile,
                                      const WideString& arguments) {
    StarterRecord record{trimmed(name), trimmed(executableFile), trimmed(arguments)};
    // Explorer's "Copy as path" puts the path in quotes; the program is the path inside.
    WideString& program = record.executableFile;
    if (program.size() >= 2 && program.front() == u'"' && program.back() == u'"')
        program = trimmed(program.substr(1, program.size() - 2));
    if (record.name.empty()) return {std::nullopt, u"The \"Name\" field is empty."};
    if (record.executableFile.empty()) return {std::nullopt, u"The \"Executable File\" field is empty."};
    return {record, {}};
}

}  // namespace quillmont
