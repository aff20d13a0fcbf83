#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

#include "core/launch/starter_dialogs.h"

namespace quillmont::win32 {

// The dialog that reports a MIDlet-Jar-Size that differs from the archive's size
// (209), or an archive named by a web address, and asks whether to correct the
// descriptor or work on temporary copies.
class JadSizeDialog {
public:
    explicit JadSizeDialog(JadRepair repair) : repair_(std::move(repair)) {}
    JadSizeDialog(std::uint32_t jarSize, std::uint32_t declaredSize) : repair_{jarSize, declaredSize, {}, {}} {}
    JadSizeAnswer run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    JadRepair repair_;
};

}  // namespace quillmont::win32
