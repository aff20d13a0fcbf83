#include "core/launch/web_archive.h"

#include <vector>

#include "core/launch/archive_url.h"
#include "core/launch/file_choice.h"
#include "core/text/ascii_case.h"
#include "core/text/message_format.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

bool isFile(Files& files, const WideString& path) {
    const std::optional<FileAttributes> found = files.attributes(path);
    return found && !found->directory;
}

// Which names were looked for: the address's and the descriptor's own, or the
// one when both are the same.
WideString lookedForText(const std::vector<WideString>& names) {
    if (names.size() == 1)
        return formatText(u"Quillmont looked for \"%s\" in the folder of the JAD file and did not find it.", names[0]);
    return formatValues(u"Quillmont looked for \"%s\" and \"%s\" in the folder of the JAD file and found neither.",
                        {names[0], names[1]});
}

std::optional<WideString> askForArchive(UserInterface& ui, const WideString& folder, const WideString& url,
                                        const std::vector<WideString>& names) {
    const WideString question =
        formatValues(u"The JAD file names its JAR file by the web address \"%s\", which Quillmont does not "
                     u"download.\n%s\nA browser may have saved the JAR file under another name. Choose it now?",
                     {url, lookedForText(names)});
    if (ui.showMessage(kNoWindow, question, MessageKind::OpeningChoice) != MessageAnswer::Yes) return std::nullopt;
    FileOpenRequest request;
    request.title = u"Select the JAR File";
    request.filters = {{u"JAR Files (*.jar)", u"*.jar"}, {u"All Files", u"*.*"}};
    request.initialFolder = folder;
    request.bufferSize = 8192;
    return chooseFile(ui, request);
}

}  // namespace

std::optional<WebArchive> findWebArchive(Files& files, UserInterface& ui, const WideString& jadPath,
                                         const WideString& url) {
    const WideString folder = splitPath(jadPath).folder;
    std::vector<WideString> names;  // each once, in the order looked for
    for (const WideString& name : {webFileName(url), splitPath(jadPath).baseName + u".jar"}) {
        if (name.empty() || (!names.empty() && equalsIgnoringAsciiCase(names[0], name))) continue;
        names.push_back(name);
        // A combination that fails (longer than a classic path) is tried as it stands.
        WideString path = files.combinePath(folder, name);
        if (path.empty()) path = folder + name;
        if (isFile(files, path)) return WebArchive{path, false};
    }
    std::optional<WideString> chosen = askForArchive(ui, folder, url, names);
    if (!chosen) return std::nullopt;
    return WebArchive{*chosen, true};
}

}  // namespace quillmont
