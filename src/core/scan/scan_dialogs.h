#pragma once

#include <memory>
#include <vector>

#include "base/wide_string.h"
#include "core/scan/detected_starter.h"
#include "platform/window_ref.h"

namespace quillmont {

// The progress window of a running scan; it closes when the object goes.
class ScanProgress {
public:
    virtual ~ScanProgress() = default;
};

// The scan's two windows. The Win32 layer shows the real ones from the resource
// script; tests answer from a script.
class ScanDialogs {
public:
    virtual ~ScanDialogs() = default;
    // The modeless progress window, owned by and centred over the parent, showing
    // the title and painted once; nothing when it cannot be created.
    virtual std::unique_ptr<ScanProgress> showProgress(WindowRef parent, const WideString& title) = 0;
    // The modal results dialog with the title as its caption. True when it was
    // closed with Add Checked, after setting `checked` of every ticked proposal;
    // false for Cancel, which changes nothing.
    virtual bool runResults(WindowRef parent, const WideString& title, std::vector<DetectedStarter>& detected) = 0;
};

}  // namespace quillmont
