#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "base/wide_string.h"
#include "core/scan/detected_starter.h"

namespace quillmont::win32 {

// The results of a scan (206): the proposals as a list with check boxes, the
// selected one's launcher and arguments below. One modal run.
class ScanResultsDialog {
public:
    ScanResultsDialog(const WideString& title, std::vector<DetectedStarter>& detected)
        : title_(title), detected_(detected) {}
    // IDOK after Add Checked, which has set `checked` of the ticked proposals;
    // IDCANCEL (Cancel, Esc, the close box) leaves every proposal as it was.
    INT_PTR run(HWND owner);
    INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void initialize();
    bool command(int id);
    HWND list() const;
    void fitColumn();
    void fillList();
    void showDescription();
    void applyEnablingRule();
    void checkAll(bool checked);
    std::size_t proposalOf(int row) const;
    std::vector<std::size_t> tickedProposals() const;

    const WideString& title_;
    std::vector<DetectedStarter>& detected_;
    HWND dialog_ = nullptr;
    // Set while the dialog itself changes many rows: their notifications are
    // left alone and what follows from them is done once afterwards.
    bool changingRows_ = false;
};

}  // namespace quillmont::win32
