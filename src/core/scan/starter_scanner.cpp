#include "core/scan/starter_scanner.h"

#include "core/scan/pattern/pattern_matcher.h"

namespace quillmont {

namespace {

// A pattern that does not compile matches nothing.
bool matches(const WideString& pattern, const WideString& text) {
    PatternMatcher matcher;
    if (matcher.parse(pattern, true) != PatternError::None) return false;
    MatchContext context;
    return matcher.match(text, context);
}

}  // namespace

StarterScanner::StarterScanner(ScanContext context)
    : context_(context),
      utilities_(context.platform.registry, context.platform.files),
      xml_(context.platform.xml) {}

// Paths compare as the file system does, without regard to case in any alphabet.
bool StarterScanner::samePath(const WideString& a, const WideString& b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;
    Environment& system = context_.platform.environment;
    return system.lowerCase(a) == system.lowerCase(b);
}

void StarterScanner::addDetected(DetectedStarter proposal) {
    for (const DetectedStarter& earlier : detected_)
        if (earlier.group == proposal.group && earlier.starter.name == proposal.starter.name &&
            samePath(earlier.starter.executableFile, proposal.starter.executableFile))
            return;
    // A flag once cleared stays cleared; equal ranks leave both main.
    for (DetectedStarter& earlier : detected_) {
        if (earlier.group != proposal.group) continue;
        if (earlier.rank < proposal.rank) earlier.main = false;
        if (proposal.rank < earlier.rank) proposal.main = false;
    }
    detected_.push_back(std::move(proposal));
}

void StarterScanner::markConfigured() {
    StarterList& starters = context_.starters;
    for (int slot = starters.nextSlot(0); slot != 0; slot = starters.nextSlot(slot)) {
        const StarterRecord& record = starters.record(slot);
        for (DetectedStarter& proposal : detected_) {
            if (!samePath(record.executableFile, proposal.starter.executableFile)) continue;
            if (!proposal.excludeArgumentsPattern.empty() &&
                matches(proposal.excludeArgumentsPattern, record.arguments))
                continue;
            if (!proposal.requireArgumentsPattern.empty() &&
                !matches(proposal.requireArgumentsPattern, record.arguments))
                continue;
            proposal.configured = true;
        }
    }
}

void StarterScanner::addChecked() {
    for (const DetectedStarter& proposal : detected_) {
        if (!proposal.checked) continue;
        const int slot = context_.starters.addRecord();
        if (slot == 0) return;  // the list is full: the rest cannot be kept either
        context_.starters.record(slot) = proposal.starter;
    }
}

bool StarterScanner::run(WindowRef parent) {
    std::unique_ptr<ScanProgress> progress = context_.dialogs.showProgress(parent, progressTitle());
    scan();
    if (detected_.empty()) {
        progress.reset();
        context_.platform.ui.showMessage(parent, noneFoundMessage(), MessageKind::Information);
        return false;
    }
    markConfigured();
    progress.reset();
    if (!context_.dialogs.runResults(parent, resultsTitle(), detected_)) return false;
    addChecked();
    return true;
}

}  // namespace quillmont
