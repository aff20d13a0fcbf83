#include "core/launch/file_choice.h"

#include "core/text/message_format.h"

namespace quillmont {

namespace {

// As the system's headers write the file dialogs' error codes: "0x3003".
WideString hexadecimalCode(unsigned long code) {
    WideString digits;
    do {
        digits.insert(digits.begin(), u"0123456789ABCDEF"[code % 16]);
        code /= 16;
    } while (code != 0 || digits.size() < 4);
    return u"0x" + digits;
}

}  // namespace

std::optional<WideString> chooseFile(UserInterface& ui, const FileOpenRequest& request) {
    const FileChoice choice = ui.showFileOpenDialog(request);
    if (choice.error != 0)
        ui.showMessage(kNoWindow, formatText(u"The file-open dialog failed with error %s.", hexadecimalCode(choice.error)),
                       MessageKind::OpeningError);
    return choice.path;
}

}  // namespace quillmont
