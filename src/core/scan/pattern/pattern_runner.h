#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/scan/pattern/pattern_program.h"

namespace quillmont {

// The backtracking machine. Its buffers (stack, capture slots, memory of failed
// states) are kept between searches, so a warmed-up runner does not allocate.
// Throws std::bad_alloc when memory runs out.
class PatternRunner {
public:
    static constexpr std::size_t kUnset = static_cast<std::size_t>(-1);

    // Tries the start positions in order; true on the first that matches. The
    // text is searched as given (the caller folds it for the case-insensitive mode).
    bool search(const PatternProgram& program, std::u16string_view text);

    // After a successful search: the whole match and the capture slots, group g
    // in slots 2g and 2g + 1, kUnset where nothing was captured.
    std::size_t matchStart() const { return matchStart_; }
    std::size_t matchEnd() const { return matchEnd_; }
    const std::vector<std::size_t>& slots() const { return slots_; }

    // For tests and fuzzing only; none of these changes a result that is returned.
    // Without the memory of failures the search is the plain exponential one.
    void setRememberFailures(bool remember) { rememberFailures_ = remember; }
    // Steps (a failed thread: one, plus one per unit it moved over) before failures
    // start being remembered, plus two per text unit; 0 remembers from the start.
    void setPlainSteps(std::uint64_t steps) { plainSteps_ = steps; }
    // Above this many states (memo points times positions) failures are kept in
    // a hash set instead of the dense table.
    void setDenseLimit(std::size_t states) { denseLimit_ = states; }
    // Gives up (search returns false, stepLimitReached is true) after that many
    // steps; 0 is no limit.
    void setStepLimit(std::uint64_t limit) { stepLimit_ = limit; }
    bool stepLimitReached() const { return stepLimitReached_; }

private:
    struct Entry {
        std::uint32_t tag;    // kind in the top bits, then an address or a slot
        std::uint32_t outer;  // look-ahead entries: the run to return to
        std::size_t position;
    };

    bool runFrom(std::size_t start);
    void runUnitLoop(std::size_t& pc, std::size_t& position, bool& alive);
    void push(Entry entry) {
        if (stack_.size() == stack_.capacity()) grow();
        stack_.push_back(entry);
    }
    void grow();
    bool afterSteps();
    bool visited(std::uint32_t memo, std::size_t position) {
        if (!dense_) return visitedSparse(memo, position);
        return seen(stamps_[memo * (text_.size() + 1) + position]);
    }
    bool visitedSparse(std::uint32_t memo, std::size_t position);
    // Whether the stamp marks a failure; otherwise stamps it with the current run.
    bool seen(std::uint32_t& stamp) {
        if (stamp >= base_ && tainted_[stamp - base_] == 0) return true;
        if (run_ != kUntracked) stamp = base_ + run_;
        return false;
    }
    void beginSearch();
    void startRemembering();
    std::uint32_t newRun();

    static constexpr std::uint32_t kUntracked = UINT32_MAX;

    const PatternProgram* program_ = nullptr;
    std::u16string_view text_;
    std::vector<Entry> stack_;
    std::vector<std::size_t> slots_;
    std::size_t matchStart_ = kUnset;
    std::size_t matchEnd_ = kUnset;

    // Memory of explored states: each state is stamped with base_ + the id of the
    // run that explored it. Run 0 is the main search; each look-ahead body is a run
    // of its own, and once a body matches, its stamps no longer count (those
    // states may lead to a match). Stamps below base_ are from earlier searches.
    // Short searches finish before it is worth switching the memory on.
    // Only without back-references: there a state's outcome depends on the
    // instruction and the position alone. A pattern with back-references keeps the
    // plain search, whose steps are not bounded and may grow exponentially.
    bool memoryAllowed_ = false;
    bool memoize_ = false;
    std::uint64_t nextCheck_ = 0;  // steps_ at which afterSteps() has work to do
    bool dense_ = true;
    std::vector<std::uint32_t> stamps_;  // dense: memo index * (length + 1) + position
    std::vector<std::uint64_t> hashKeys_;  // sparse: key + 1, 0 is a free cell
    std::vector<std::uint32_t> hashStamps_;
    std::size_t hashUsed_ = 0;
    std::uint32_t base_ = 1;  // wiped back to 1 before it passes 2^31
    std::uint32_t run_ = 0;
    std::vector<std::uint8_t> tainted_;  // per run of this search

    std::size_t denseLimit_ = std::size_t{1} << 22;  // 16 MB of stamps
    bool rememberFailures_ = true;
    std::uint64_t plainSteps_ = 64;
    std::uint64_t stepLimit_ = 0;
    std::uint64_t steps_ = 0;
    bool stepLimitReached_ = false;
};

}  // namespace quillmont
