#include "win32/platform/system_message.h"

#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

WideString systemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    WideString message = length == 0 ? WideString() : fromWide(std::wstring(text, length));
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u' '))
        message.pop_back();
    return message;
}

}  // namespace quillmont::win32
