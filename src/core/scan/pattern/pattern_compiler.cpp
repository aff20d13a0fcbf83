#include "core/scan/pattern/pattern_compiler.h"

#include <cassert>

namespace quillmont {
namespace {

class Compiler {
public:
    explicit Compiler(PatternProgram& program) : program_(program) {}

    bool emitNode(const PatternNode& node) {
        if (program_.code.size() >= PatternProgram::kMaxInstructions) return false;
        switch (node.kind) {
            case PatternNodeKind::Empty:
                return true;
            case PatternNodeKind::Character:
                emit(PatternOpcode::Char, node.character);
                return true;
            case PatternNodeKind::Any:
                emit(PatternOpcode::Any);
                return true;
            case PatternNodeKind::Class:
                emit(PatternOpcode::Class, address(program_.classes.size()));
                program_.classes.push_back({node.ranges, node.negated});
                return true;
            case PatternNodeKind::EndOfText:
                emit(PatternOpcode::EndOfText);
                return true;
            case PatternNodeKind::Sequence:
                for (const PatternNodePtr& child : node.children)
                    if (!emitNode(*child)) return false;
                return true;
            case PatternNodeKind::Alternation: {
                const std::size_t split = emit(PatternOpcode::Split);
                program_.code[split].x = here();
                if (!emitNode(*node.children[0])) return false;
                const std::size_t jump = emit(PatternOpcode::Jump);
                program_.code[split].y = here();
                if (!emitNode(*node.children[1])) return false;
                program_.code[jump].x = here();
                return true;
            }
            case PatternNodeKind::Repeat:
                return emitRepeat(node);
            case PatternNodeKind::Group:
                return emitNode(*node.children[0]);
            case PatternNodeKind::Capture:
                emit(PatternOpcode::Save, address(2 * node.number));
                if (!emitNode(*node.children[0])) return false;
                emit(PatternOpcode::Save, address(2 * node.number + 1));
                return true;
            case PatternNodeKind::NegativeLookahead: {
                const std::size_t begin = emit(PatternOpcode::LookaheadBegin);
                if (!emitNode(*node.children[0])) return false;
                emit(PatternOpcode::LookaheadEnd);
                program_.code[begin].x = here();
                return true;
            }
            case PatternNodeKind::BackReference:
                emit(PatternOpcode::BackReference, address(node.number));
                return true;
        }
        return false;
    }

private:
    bool emitRepeat(const PatternNode& node) {
        const PatternNode& body = *node.children[0];
        // The parser refuses "*" and "+" on a body that can match nothing, so every
        // loop below consumes at least one unit per turn and needs no empty-turn guard.
        assert(node.repeat == RepeatKind::Question || !body.canMatchEmpty);
        switch (node.repeat) {
            case RepeatKind::Star: {
                // L: split body, out; body; jmp L
                const std::size_t split = emit(PatternOpcode::Split);
                const std::uint32_t start = here();
                if (!emitNode(body)) return false;
                const std::size_t jump = emit(PatternOpcode::Jump, address(split));
                setSplit(split, start, here(), node.greedy);
                program_.code[split].unitLoop = node.greedy && isUnit(start, jump);
                return true;
            }
            case RepeatKind::Plus: {
                // L: body; split L, out
                const std::uint32_t start = here();
                if (!emitNode(body)) return false;
                const std::size_t split = emit(PatternOpcode::Split);
                setSplit(split, start, here(), node.greedy);
                program_.code[split].unitLoop = node.greedy && isUnit(start, split);
                return true;
            }
            case RepeatKind::Question: {
                const std::size_t split = emit(PatternOpcode::Split);
                const std::uint32_t start = here();
                if (!emitNode(body)) return false;
                setSplit(split, start, here(), node.greedy);
                return true;
            }
        }
        return false;
    }

    // Whether [from, to) is one instruction that tests a single unit.
    bool isUnit(std::size_t from, std::size_t to) const {
        if (to != from + 1) return false;
        const PatternOpcode op = program_.code[from].op;
        return op == PatternOpcode::Char || op == PatternOpcode::Any || op == PatternOpcode::Class;
    }

    // Greedy prefers another turn of the body; lazy prefers leaving.
    void setSplit(std::size_t split, std::uint32_t body, std::uint32_t out, bool greedy) {
        program_.code[split].x = greedy ? body : out;
        program_.code[split].y = greedy ? out : body;
    }

    static std::uint32_t address(std::size_t value) { return static_cast<std::uint32_t>(value); }
    std::uint32_t here() const { return address(program_.code.size()); }

    std::size_t emit(PatternOpcode op, std::uint32_t x = 0) {
        program_.code.push_back({op, false, x, 0});
        return program_.code.size() - 1;
    }

    PatternProgram& program_;
};

// Failures are remembered only where paths join (two or more ways in). Every
// other instruction is reached from a single predecessor state, so it runs at most
// as often as that state, and every loop passes through a join point: the work
// stays proportional to program size times text length all the same.
void markJoinPoints(PatternProgram& program) {
    std::vector<std::uint8_t> incoming(program.code.size() + 1, 0);
    const auto add = [&](std::size_t target) {
        if (incoming[target] < 2) ++incoming[target];
    };
    add(0);  // each search start
    for (std::size_t pc = 0; pc < program.code.size(); ++pc) {
        const PatternInstruction& in = program.code[pc];
        switch (in.op) {
            case PatternOpcode::Split:
                add(in.x);
                add(in.y);
                break;
            case PatternOpcode::Jump: add(in.x); break;
            case PatternOpcode::LookaheadBegin:
                add(pc + 1);
                add(in.x);
                break;
            case PatternOpcode::LookaheadEnd:
            case PatternOpcode::Match: break;
            default: add(pc + 1); break;
        }
    }
    program.memoCount = 0;
    for (std::size_t pc = 0; pc < program.code.size(); ++pc)
        if (incoming[pc] >= 2) program.code[pc].memo = static_cast<std::uint32_t>(program.memoCount++);
}

}  // namespace

bool compilePattern(const PatternTree& tree, PatternProgram& program) {
    program = PatternProgram{};
    program.groupCount = tree.captureCount;
    program.anchored = tree.anchored;
    program.hasBackReferences = tree.hasBackReferences;
    if (!tree.root || !Compiler(program).emitNode(*tree.root)) return false;
    if (program.code.size() >= PatternProgram::kMaxInstructions) return false;
    program.code.push_back({PatternOpcode::Match});
    markJoinPoints(program);
    return true;
}

}  // namespace quillmont
