#include "core/setup/starter_edit_model.h"

#include "core/text/trim.h"

namespace quillmont {

const StarterEditVariant& starterEditVariant(StarterKind kind) {
    static const StarterEditVariant j2se{202, u"J2SE Starter", u"Arguments (%1 - JAR file name, %* - external arguments)",
                                         {u" -jad %1", u" %*"}};
    static const StarterEditVariant j2me{
        207, u"J2ME Starter", u"Arguments (%1 - JAD file name, %2 - JAR file name, %* - external arguments)",
        {u" -Xdescriptor:%1", u" -Xdevice:?"}};
    return kind == StarterKind::J2SE ? j2se : j2me;
}

StarterEditOutcome checkStarterFields(const WideString& name, const WideString& executableFile,
                                      const WideString& arguments) {
    StarterRecord record{trimmed(name), trimmed(executableFile), trimmed(arguments)};
    if (record.name.empty()) return {std::nullopt, u"The \"Name\" field is empty."};
    if (record.executableFile.empty()) return {std::nullopt, u"The \"Executable File\" field is empty."};
    return {record, {}};
}

}  // namespace quillmont
