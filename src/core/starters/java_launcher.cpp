#include "core/starters/java_launcher.h"

#include "core/text/ascii_case.h"
#include "core/text/path_parts.h"

namespace quillmont {

JavaLauncher javaLauncherOf(const WideString& program) {
    const WideString name = fileNameOf(program);
    if (equalsIgnoringAsciiCase(name, u"javaw.exe")) return JavaLauncher::Javaw;
    if (equalsIgnoringAsciiCase(name, u"java.exe")) return JavaLauncher::Java;
    return JavaLauncher::None;
}

}  // namespace quillmont
