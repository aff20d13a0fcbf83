#include "win32/platform/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

void Win32Shell::notifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace quillmont::win32

namespace quillmont::win32 {

void Win32Shell::openUrl(const WideString& url) {
    ShellExecuteW(nullptr, L"open", toWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quillmont::win32
