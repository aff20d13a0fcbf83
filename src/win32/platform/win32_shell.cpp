#include "win32/platform/win32_shell.h"

#include <windows.h>
#include <shlobj.h>

namespace quillmont::win32 {

void Win32Shell::notifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace quillmont::win32
