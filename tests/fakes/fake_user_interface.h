#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "platform/user_interface.h"

namespace quillmont::testing {

// Records every message box and file dialog and answers from a script.
class FakeUserInterface final : public UserInterface {
public:
    struct Message {
        WindowRef owner;
        WideString text;
        MessageKind kind;
    };

    std::vector<Message> messages;
    std::vector<FileOpenRequest> fileRequests;
    std::deque<MessageAnswer> answers;                 // empty: every box answers Ok
    std::deque<std::optional<WideString>> chosenFiles; // empty: the dialog is cancelled
    unsigned long fileDialogError = 0;                 // not 0: every file dialog fails with it
    WindowRef active = kNoWindow;

    MessageAnswer showMessage(WindowRef owner, const WideString& text, MessageKind kind) override {
        messages.push_back({owner, text, kind});
        if (answers.empty()) return MessageAnswer::Ok;
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    FileChoice showFileOpenDialog(const FileOpenRequest& request) override {
        fileRequests.push_back(request);
        if (fileDialogError != 0) return {std::nullopt, fileDialogError};
        if (chosenFiles.empty()) return {};
        std::optional<WideString> chosen = chosenFiles.front();
        chosenFiles.pop_front();
        return {chosen, 0};
    }

    WindowRef activeWindow() override { return active; }
};

}  // namespace quillmont::testing
