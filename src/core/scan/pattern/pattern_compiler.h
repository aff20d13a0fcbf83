#pragma once

#include "core/scan/pattern/pattern_program.h"
#include "core/scan/pattern/pattern_syntax.h"

namespace quillmont {

// Translates a parsed pattern into a program for the runner. False when the
// program would be too large to address; throws std::bad_alloc when memory runs out.
bool compilePattern(const PatternTree& tree, PatternProgram& program);

}  // namespace quillmont
