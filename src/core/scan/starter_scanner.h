#pragma once

#include <cstdint>
#include <vector>

#include "core/scan/detected_starter.h"
#include "core/scan/scan_dialogs.h"
#include "core/scan/scanner_utilities.h"
#include "core/scan/xml_queries.h"
#include "core/starters/starter_list.h"
#include "platform/platform.h"

namespace quillmont {

// What a scanner works with: the ports, the scan's windows, and the kind's
// starter list in memory, which the scan appends to (saving stays the setup
// dialog's business).
struct ScanContext {
    Platform& platform;
    ScanDialogs& dialogs;
    StarterList& starters;
    // The J2SE starters, whose Java runs the portable J2ME emulators; none when null.
    const StarterList* javaStarters = nullptr;
};

// The search for installed starters of one kind. A scanner lives for one press of
// a Scan button: `scan` fills `detected`, `run` shows the progress window around
// it, compares the proposals with the configured starters, lets the user tick the
// ones to keep and appends those to the list.
class StarterScanner {
public:
    explicit StarterScanner(ScanContext context);
    virtual ~StarterScanner() = default;
    StarterScanner(const StarterScanner&) = delete;
    StarterScanner& operator=(const StarterScanner&) = delete;

    // True when the user closed the results with Add Checked; false when nothing
    // was detected (after saying so) or the user cancelled.
    bool run(WindowRef parent);

    // Drops a proposal equal to one already made (same group and name, the same
    // executable ignoring case); otherwise appends it and applies the rank rule:
    // within a group only proposals that no other outranks stay main.
    void addDetected(DetectedStarter proposal);
    const std::vector<DetectedStarter>& detected() const { return detected_; }

    virtual WideString progressTitle() const = 0;
    virtual WideString noneFoundMessage() const = 0;
    virtual WideString resultsTitle() const = 0;
    virtual void scan() = 0;
    // Marks the proposals that a configured starter already is.
    virtual void markConfigured();
    // Appends the checked proposals to the list, in the order they were detected.
    virtual void addChecked();

protected:
    Platform& platform() { return context_.platform; }
    const ScanContext& context() const { return context_; }
    const ScannerUtilities& utilities() const { return utilities_; }
    XmlQueries& xml() { return xml_; }

private:
    bool samePath(const WideString& a, const WideString& b);

    ScanContext context_;
    ScannerUtilities utilities_;
    XmlQueries xml_;  // the scan's XML cache, released with the scanner
    std::vector<DetectedStarter> detected_;
};

}  // namespace quillmont
