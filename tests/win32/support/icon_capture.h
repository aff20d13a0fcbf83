#pragma once

#include <windows.h>

#include <string>

namespace quillmont::testing {

// Which of the system's message-box icons is shown on the screen in `rect`:
// "error", "warning", "information" or "question", whichever drawing of the
// system icon matches the screen's pixels best; "none" for an empty rectangle.
// Used for message boxes of other processes, whose icon handles cannot be read.
std::wstring classifyScreenIcon(const RECT& rect);

}  // namespace quillmont::testing
