#pragma once

#include <windows.h>

#include <memory>

#include "base/wide_string.h"
#include "core/scan/scan_dialogs.h"

namespace quillmont::win32 {

// The window a scan shows while it runs (205): modeless, owned by and centred
// over the parent, the title in its one text field. The scan processes no
// messages meanwhile, so it is painted once when shown; it goes with the object.
class ScanProgressDialog final : public ScanProgress {
public:
    // Nothing when the window cannot be created.
    static std::unique_ptr<ScanProgressDialog> show(HWND parent, const WideString& title);
    ~ScanProgressDialog() override;
    ScanProgressDialog(const ScanProgressDialog&) = delete;
    ScanProgressDialog& operator=(const ScanProgressDialog&) = delete;

    HWND handle() const { return window_; }

private:
    explicit ScanProgressDialog(HWND window) : window_(window) {}
    HWND window_;
};

}  // namespace quillmont::win32
