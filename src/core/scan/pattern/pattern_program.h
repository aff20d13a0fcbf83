#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/scan/pattern/pattern_syntax.h"

namespace quillmont {

enum class PatternOpcode : std::uint8_t {
    Char,               // x: the unit
    Any,
    Class,              // x: index into classes
    Split,              // try x, and on failure y
    Jump,               // x
    Save,               // x: capture slot (group g has slots 2g and 2g + 1)
    BackReference,      // x: the group
    EndOfText,
    LookaheadBegin,     // x: the address after the matching LookaheadEnd
    LookaheadEnd,       // reached only when the look-ahead's body matched
    Match,
};

struct PatternInstruction {
    PatternOpcode op;
    // Split only: a greedy loop over one unit (x is a Char, Any or Class that leads
    // straight back here), which the runner steps through without dispatching.
    bool unitLoop = false;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    // Dense index among the instructions where failures are remembered, or kNoMemo.
    std::uint32_t memo = kNoMemo;

    static constexpr std::uint32_t kNoMemo = UINT32_MAX;
};

struct PatternClass {
    std::vector<ClassRange> ranges;
    bool negated = false;

    bool contains(char16_t c) const {
        bool inside = false;
        for (const ClassRange& range : ranges)
            if (c >= range.low && c <= range.high) {
                inside = true;
                break;
            }
        return inside != negated;
    }
};

struct PatternProgram {
    std::vector<PatternInstruction> code;
    std::vector<PatternClass> classes;
    std::size_t groupCount = 0;
    bool anchored = false;
    bool hasBackReferences = false;
    // How many instructions have a memo index: the join points of the program.
    std::size_t memoCount = 0;

    // Programs must stay below this so an address fits the runner's stack tags.
    static constexpr std::size_t kMaxInstructions = std::size_t{1} << 28;
};

// One instruction per line, "index opcode operands", after a header line.
std::string dumpProgram(const PatternProgram& program);

}  // namespace quillmont
