#include "core/scan/pattern/pattern_program.h"

#include <cstdio>

namespace quillmont {
namespace {

// Printable ASCII as itself, anything else as \uXXXX, so the listing stays ASCII.
void appendUnit(std::string& out, char16_t c) {
    if (c > 0x20 && c < 0x7f && c != u'\\') {
        out.push_back(static_cast<char>(c));
        return;
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
    out += buffer;
}

void appendClass(std::string& out, const PatternClass& set) {
    out += set.negated ? "[^" : "[";
    for (const ClassRange& range : set.ranges) {
        appendUnit(out, range.low);
        if (range.high != range.low) {
            out.push_back('-');
            appendUnit(out, range.high);
        }
    }
    out.push_back(']');
}

}  // namespace

std::string dumpProgram(const PatternProgram& program) {
    std::string out = "; " + std::to_string(program.groupCount) + " groups";
    if (program.anchored) out += ", anchored";
    out.push_back('\n');
    for (std::size_t pc = 0; pc < program.code.size(); ++pc) {
        const PatternInstruction& in = program.code[pc];
        out += std::to_string(pc);
        switch (in.op) {
            case PatternOpcode::Char:
                out += " char ";
                appendUnit(out, static_cast<char16_t>(in.x));
                break;
            case PatternOpcode::Any: out += " any"; break;
            case PatternOpcode::Class:
                out += " class ";
                appendClass(out, program.classes[in.x]);
                break;
            case PatternOpcode::Split: out += " split " + std::to_string(in.x) + " " + std::to_string(in.y); break;
            case PatternOpcode::Jump: out += " jmp " + std::to_string(in.x); break;
            case PatternOpcode::Save: out += " save " + std::to_string(in.x); break;
            case PatternOpcode::BackReference: out += " backref " + std::to_string(in.x); break;
            case PatternOpcode::EndOfText: out += " end"; break;
            case PatternOpcode::LookaheadBegin: out += " notahead " + std::to_string(in.x); break;
            case PatternOpcode::LookaheadEnd: out += " aheadend"; break;
            case PatternOpcode::Match: out += " match"; break;
        }
        out.push_back('\n');
    }
    return out;
}

}  // namespace quillmont
