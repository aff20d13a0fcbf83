#pragma once

#include "core/scan/scan_dialogs.h"

namespace quillmont::win32 {

// The scan's windows from the resource script: the progress window (205) and
// the results dialog (206).
class Win32ScanDialogs final : public ScanDialogs {
public:
    std::unique_ptr<ScanProgress> showProgress(WindowRef parent, const WideString& title) override;
    bool runResults(WindowRef parent, const WideString& title, std::vector<DetectedStarter>& detected) override;
};

}  // namespace quillmont::win32
