#include "core/scan/pattern/pattern_runner.h"

#include <algorithm>

namespace quillmont {
namespace {

// Stack entry kinds, in the top two bits of the tag.
constexpr std::uint32_t kKindMask = 3u << 30;
constexpr std::uint32_t kValueMask = ~kKindMask;
constexpr std::uint32_t kBranch = 0;          // resume at the address, at the position
constexpr std::uint32_t kRestore = 1u << 30;  // put the old value back into the slot
constexpr std::uint32_t kLookahead = 2u << 30;  // a look-ahead body started here

// The dense table is kept between searches; the hash set, for texts too long for
// it, starts small each time so that memory grows with the work actually done.
constexpr std::size_t kInitialHashCells = 1024;

// Stamps must stay below 2^32: the table is wiped when the base passes 2^31, and
// runs past 2^30 in one search are not remembered (their states just run again).
constexpr std::uint32_t kBaseLimit = 1u << 31;
constexpr std::size_t kMaxRuns = std::size_t{1} << 30;

std::uint64_t mix(std::uint64_t key) { return key * 0x9E3779B97F4A7C15ull; }

// split 1 3 (or 3 1); any; jmp 0: a leading ".*" or ".*?".
bool startsWithAnyRepeated(const PatternProgram& program) {
    const std::vector<PatternInstruction>& code = program.code;
    return code.size() > 3 && code[0].op == PatternOpcode::Split && code[0].x + code[0].y == 4 &&
           (code[0].x == 1 || code[0].x == 3) && code[1].op == PatternOpcode::Any &&
           code[2].op == PatternOpcode::Jump && code[2].x == 0;
}

// False when the instruction is a single-unit test that fails at the position.
inline bool mayStart(const PatternInstruction& in, const std::vector<PatternClass>& classes, const char16_t* text,
                     std::size_t length, std::size_t position) {
    switch (in.op) {
        case PatternOpcode::Char: return position < length && text[position] == in.x;
        case PatternOpcode::Any: return position < length;
        case PatternOpcode::Class: return position < length && classes[in.x].contains(text[position]);
        default: return true;
    }
}

}  // namespace

bool PatternRunner::search(const PatternProgram& program, std::u16string_view text) {
    program_ = &program;
    text_ = text;
    matchStart_ = matchEnd_ = kUnset;
    stepLimitReached_ = false;
    slots_.assign(2 * program.groupCount, kUnset);
    beginSearch();

    std::size_t last = (program.anchored || text.empty()) ? 0 : text.size() - 1;
    // A leading ".*" can skip any prefix, so whatever matches from a later start
    // matches from 0 as well.
    if (startsWithAnyRepeated(program)) last = 0;
    const PatternInstruction& first = program.code.front();
    // A program that begins with a plain unit can only match where that unit stands.
    const bool literalStart = !program.anchored && first.op == PatternOpcode::Char;
    for (std::size_t start = 0; start <= last; ++start) {
        if (literalStart) {
            start = text.find(static_cast<char16_t>(first.x), start);
            if (start == std::u16string_view::npos || start > last) break;
        }
        if (runFrom(start)) {
            matchStart_ = start;
            return true;
        }
        if (stepLimitReached_) break;
    }
    return false;
}

void PatternRunner::beginSearch() {
    // Every stamp of the previous search falls below the new base, even if that
    // search ended with an exception.
    base_ += static_cast<std::uint32_t>(tainted_.size());
    if (base_ >= kBaseLimit) {
        std::fill(stamps_.begin(), stamps_.end(), 0);
        base_ = 1;
    }
    tainted_.clear();
    run_ = 0;
    memoize_ = false;
    steps_ = 0;
    const PatternProgram& program = *program_;
    memoryAllowed_ = rememberFailures_ && !program.hasBackReferences && program.memoCount > 0;
    std::uint64_t check = stepLimit_ != 0 ? stepLimit_ : UINT64_MAX;
    if (memoryAllowed_) {
        tainted_.push_back(0);
        if (plainSteps_ == 0) {
            startRemembering();
        } else {
            // Linear in the text, so the total work keeps its bound.
            check = std::min<std::uint64_t>(check, plainSteps_ + 2 * static_cast<std::uint64_t>(text_.size()));
        }
    }
    nextCheck_ = check;
}

void PatternRunner::startRemembering() {
    memoize_ = true;
    const PatternProgram& program = *program_;
    const std::size_t columns = text_.size() + 1;
    dense_ = columns <= denseLimit_ / program.memoCount;
    if (dense_) {
        const std::size_t needed = program.memoCount * columns;
        if (stamps_.size() < needed) stamps_.resize(needed, 0);
    } else {
        if (hashUsed_ != 0 || hashKeys_.size() != kInitialHashCells) {
            hashKeys_.assign(kInitialHashCells, 0);
            hashStamps_.assign(kInitialHashCells, 0);
        }
        hashUsed_ = 0;
    }
}

// Called when steps_ reaches nextCheck_; false when the search must give up.
bool PatternRunner::afterSteps() {
    if (stepLimit_ != 0 && steps_ >= stepLimit_) {
        stepLimitReached_ = true;
        return false;
    }
    if (memoryAllowed_ && !memoize_) startRemembering();
    nextCheck_ = stepLimit_ != 0 ? stepLimit_ : UINT64_MAX;
    return true;
}

std::uint32_t PatternRunner::newRun() {
    if (tainted_.size() >= kMaxRuns) return kUntracked;
    tainted_.push_back(0);
    return static_cast<std::uint32_t>(tainted_.size() - 1);
}

bool PatternRunner::visitedSparse(std::uint32_t memo, std::size_t position) {
    if (2 * (hashUsed_ + 1) > hashKeys_.size()) {
        std::vector<std::uint64_t> keys(2 * hashKeys_.size(), 0);
        std::vector<std::uint32_t> stamps(2 * hashKeys_.size(), 0);
        const std::size_t mask = keys.size() - 1;
        for (std::size_t i = 0; i < hashKeys_.size(); ++i) {
            if (hashKeys_[i] == 0) continue;
            std::size_t cell = static_cast<std::size_t>(mix(hashKeys_[i]) >> 20) & mask;
            while (keys[cell] != 0) cell = (cell + 1) & mask;
            keys[cell] = hashKeys_[i];
            stamps[cell] = hashStamps_[i];
        }
        hashKeys_.swap(keys);
        hashStamps_.swap(stamps);
    }
    const std::uint64_t key = static_cast<std::uint64_t>(position) * program_->memoCount + memo + 1;
    const std::size_t mask = hashKeys_.size() - 1;
    std::size_t cell = static_cast<std::size_t>(mix(key) >> 20) & mask;
    while (hashKeys_[cell] != 0 && hashKeys_[cell] != key) cell = (cell + 1) & mask;
    if (hashKeys_[cell] == 0) {
        if (run_ == kUntracked) return false;
        hashKeys_[cell] = key;
        ++hashUsed_;
    }
    return seen(hashStamps_[cell]);
}

// Grown by hand so that the growth is the same everywhere: twice plus four.
void PatternRunner::grow() { stack_.reserve(2 * stack_.capacity() + 4); }

// A greedy loop over one unit, taken turn by turn as the plain instructions would
// (the same stack entries, the same remembered states), without the dispatch.
// A star's loop comes back to its split, a plus's to its unit: that is where the
// join point, and so the memory, is.
void PatternRunner::runUnitLoop(std::size_t& pc, std::size_t& position, bool& alive) {
    const PatternInstruction* const code = program_->code.data();
    const std::vector<PatternClass>& classes = program_->classes;
    const char16_t* const text = text_.data();
    const std::size_t length = text_.size();
    const PatternInstruction& split = code[pc];
    const PatternInstruction& unit = code[split.x];
    const PatternInstruction& exit = code[split.y];
    const bool star = split.x > pc;
    for (;;) {
        if (!mayStart(unit, classes, text, length, position)) {
            pc = split.y;
            return;
        }
        if (mayStart(exit, classes, text, length, position)) push({kBranch | split.y, 0, position});
        if (!star && memoize_ && unit.memo != PatternInstruction::kNoMemo && visited(unit.memo, position)) break;
        ++position;
        if (star && memoize_ && split.memo != PatternInstruction::kNoMemo && visited(split.memo, position)) break;
    }
    alive = false;
}

// The machine, on an explicit stack: a thread runs until an instruction fails, then
// the stack gives the next alternative to resume, undoing captures on the way.
bool PatternRunner::runFrom(std::size_t start) {
    const PatternInstruction* const code = program_->code.data();
    const std::vector<PatternClass>& classes = program_->classes;
    const char16_t* const text = text_.data();
    const std::size_t length = text_.size();
    stack_.clear();
    std::size_t pc = 0;
    std::size_t position = start;
    std::size_t threadStart = start;
    for (;;) {
        bool alive = true;
        while (alive) {
            const PatternInstruction& in = code[pc];
            if (memoize_ && in.memo != PatternInstruction::kNoMemo && visited(in.memo, position)) break;
            switch (in.op) {
                case PatternOpcode::Char:
                    alive = position < length && text[position] == in.x;
                    ++pc;
                    ++position;
                    break;
                case PatternOpcode::Any:
                    alive = position < length;
                    ++pc;
                    ++position;
                    break;
                case PatternOpcode::Class:
                    alive = position < length && classes[in.x].contains(text[position]);
                    ++pc;
                    ++position;
                    break;
                case PatternOpcode::Split:
                    if (in.unitLoop) {
                        runUnitLoop(pc, position, alive);
                        break;
                    }
                    // A side that would fail on its first unit is not worth a
                    // stack entry: this keeps loops like .* and \\d+ from pushing
                    // one entry per unit they consume.
                    if (!mayStart(code[in.y], classes, text, length, position)) {
                        pc = in.x;
                    } else if (!mayStart(code[in.x], classes, text, length, position)) {
                        pc = in.y;
                    } else {
                        push({kBranch | in.y, 0, position});
                        pc = in.x;
                    }
                    break;
                case PatternOpcode::Jump:
                    pc = in.x;
                    break;
                case PatternOpcode::Save:
                    push({kRestore | in.x, 0, slots_[in.x]});
                    slots_[in.x] = position;
                    ++pc;
                    break;
                case PatternOpcode::BackReference: {
                    const std::size_t from = slots_[2 * in.x];
                    const std::size_t to = slots_[2 * in.x + 1];
                    ++pc;
                    // A group that holds nothing yet stands for the empty text.
                    if (from == kUnset || to == kUnset || to < from) break;
                    const std::size_t count = to - from;
                    alive = length - position >= count && std::equal(text + from, text + to, text + position);
                    position += count;
                    break;
                }
                case PatternOpcode::EndOfText:
                    alive = position == length;
                    ++pc;
                    break;
                case PatternOpcode::LookaheadBegin:
                    push({kLookahead | static_cast<std::uint32_t>(pc), run_, position});
                    run_ = memoryAllowed_ ? newRun() : 0;
                    ++pc;
                    break;
                case PatternOpcode::LookaheadEnd:
                    // The body matched, so the look-ahead fails: its states are not
                    // failures, and everything done since it began is undone.
                    if (memoryAllowed_ && run_ != kUntracked) tainted_[run_] = 1;
                    for (;;) {
                        const Entry entry = stack_.back();
                        stack_.pop_back();
                        const std::uint32_t kind = entry.tag & kKindMask;
                        if (kind == kRestore) slots_[entry.tag & kValueMask] = entry.position;
                        if (kind == kLookahead) {
                            run_ = entry.outer;
                            break;
                        }
                    }
                    alive = false;
                    break;
                case PatternOpcode::Match:
                    matchEnd_ = position;
                    return true;
            }
        }

        // The work of a thread is at most the program's length per unit it moved
        // over, so this count bounds the work done, within that factor.
        steps_ += 1 + (position > threadStart ? position - threadStart : 0);
        for (;;) {
            if (stack_.empty()) return false;
            const Entry entry = stack_.back();
            stack_.pop_back();
            const std::uint32_t kind = entry.tag & kKindMask;
            const std::uint32_t value = entry.tag & kValueMask;
            if (kind == kRestore) {
                slots_[value] = entry.position;
                continue;
            }
            if (kind == kLookahead) {
                // Every way through the body failed: the look-ahead holds here.
                run_ = entry.outer;
                pc = code[value].x;
            } else {
                pc = value;
            }
            position = entry.position;
            break;
        }
        threadStart = position;
        if (steps_ >= nextCheck_ && !afterSteps()) return false;
    }
}

}  // namespace quillmont
