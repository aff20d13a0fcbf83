#include "win32/ui/dialog_framework.h"

namespace quillmont::win32 {

namespace {
HINSTANCE g_instance = nullptr;
}

void initializeDialogFramework(HINSTANCE instance) { g_instance = instance; }

void shutdownDialogFramework() { g_instance = nullptr; }

HINSTANCE programInstance() { return g_instance != nullptr ? g_instance : GetModuleHandleW(nullptr); }

}  // namespace quillmont::win32
