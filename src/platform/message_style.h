#pragma once

#include "base/wide_string.h"
#include "platform/user_interface.h"

namespace quillmont {

enum class MessageIcon { None, Error, Warning, Question, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };

struct MessageStyle {
    const char* title;
    MessageIcon icon;
    MessageButtons buttons;
};

// The one table that maps a kind of message to what the box looks like.
constexpr MessageStyle messageStyle(MessageKind kind) {
    switch (kind) {
        case MessageKind::OpeningError: return {"Quillmont", MessageIcon::Error, MessageButtons::Ok};
        case MessageKind::ValidationError: return {"Error", MessageIcon::Error, MessageButtons::Ok};
        case MessageKind::Warning: return {"Warning", MessageIcon::Warning, MessageButtons::OkCancel};
        case MessageKind::OpeningChoice: return {"Quillmont", MessageIcon::Warning, MessageButtons::YesNo};
        case MessageKind::OpeningOffer: return {"Quillmont", MessageIcon::Warning, MessageButtons::YesNoCancel};
        case MessageKind::Confirmation: return {"Confirmation", MessageIcon::Question, MessageButtons::YesNo};
        case MessageKind::Information: return {"Information", MessageIcon::Information, MessageButtons::Ok};
        case MessageKind::Complete: return {"Complete", MessageIcon::None, MessageButtons::Ok};
    }
    return {"Quillmont", MessageIcon::Error, MessageButtons::Ok};
}

}  // namespace quillmont
