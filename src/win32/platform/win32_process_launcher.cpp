#include "win32/platform/win32_process_launcher.h"

#include <windows.h>

#include <vector>

#include "win32/platform/unique_handle.h"
#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

namespace {

// The system's text for an error code, without its line end; empty without one.
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

}  // namespace

bool Win32ProcessLauncher::createProcess(const WideString& commandLine, const WideString& currentFolder) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    const std::wstring folder = toWide(currentFolder);
    const BOOL ok = CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.empty() ? nullptr : folder.c_str(), &startup, &created);
    // Nothing waits for the started program: both handles go at once.
    UniqueHandle process(created.hProcess);
    UniqueHandle thread(created.hThread);
    if (ok == FALSE) failureReason_ = systemMessage(GetLastError());
    return ok != FALSE;
}

}  // namespace quillmont::win32
