#pragma once

#include <windows.h>

#include <cstdint>

#include "core/launch/starter_dialogs.h"

namespace quillmont::win32 {

// The dialog that reports a MIDlet-Jar-Size that differs from the archive's size
// (209) and asks whether to correct the descriptor or work on temporary copies.
class JadSizeDialog {
public:
    JadSizeDialog(std::uint32_t jarSize, std::uint32_t declaredSize) : jarSize_(jarSize), declaredSize_(declaredSize) {}
    JadSizeAnswer run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::uint32_t jarSize_;
    std::uint32_t declaredSize_;
};

}  // namespace quillmont::win32
