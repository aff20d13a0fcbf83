#pragma once

#include <exception>

namespace quillmont::win32 {

// The end of a run that an exception escaped from: a message box as the opening
// flows' errors have it (no owner, "Quillmont", the error icon) that says why
// Quillmont could not finish. Allocates nothing, so that it still speaks when
// memory has run out. Returns the exit code, 1.
int reportEscapedException(std::exception_ptr error) noexcept;

}  // namespace quillmont::win32
