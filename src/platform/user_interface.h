#pragma once

#include <optional>
#include <vector>

#include "base/wide_string.h"
#include "platform/window_ref.h"

namespace quillmont {

// The program's fixed vocabulary of message boxes; the title, icon and buttons of
// each follow from its kind (see message_style.h).
enum class MessageKind {
    OpeningError,     // "Quillmont", error icon, OK
    ValidationError,  // "Error", error icon, OK
    Warning,          // "Warning", warning icon, OK and Cancel
    OpeningChoice,    // "Quillmont", warning icon, Yes and No: an opening flow offers another way
    OpeningOffer,     // "Quillmont", warning icon, Yes, No and Cancel: another way, the one asked for, or none
    Confirmation,     // "Confirmation", question icon, Yes and No
    Information,      // "Information", information icon, OK
    Complete,         // "Complete", no icon, OK
};

enum class MessageAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct FileFilter {
    WideString label;
    WideString pattern;
};

// A common file-open dialog. The options are always: the file and the path must
// exist, the current directory is left unchanged, no read-only check box.
struct FileOpenRequest {
    WindowRef owner = kNoWindow;
    WideString title;
    std::vector<FileFilter> filters;  // the first one is selected
    WideString initialFile;
    WideString initialFolder;         // empty: where the system starts
    int bufferSize = 0;               // UTF-16 units, terminating zero included
};

// How a file-open dialog ended: with the chosen path; with nothing when the user
// cancelled; or with nothing and the system's error code when the dialog failed.
struct FileChoice {
    std::optional<WideString> path;
    unsigned long error = 0;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual MessageAnswer showMessage(WindowRef owner, const WideString& text, MessageKind kind) = 0;
    virtual FileChoice showFileOpenDialog(const FileOpenRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled or the dialog failed.
    std::optional<WideString> chooseFileToOpen(const FileOpenRequest& request) {
        return showFileOpenDialog(request).path;
    }
    // The active window of the calling thread (kNoWindow when there is none).
    virtual WindowRef activeWindow() = 0;
};

}  // namespace quillmont
