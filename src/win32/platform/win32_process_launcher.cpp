#include "win32/platform/win32_process_launcher.h"

#include <windows.h>

#include <vector>

#include "win32/platform/system_message.h"
#include "win32/platform/unique_handle.h"
#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

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
