#pragma once

#include <string>

#include "test_files.h"

namespace quillmont::testing {

// "Quillmont.exe" followed by `arguments` exactly as given: the command line the
// shell or a script would create.
inline std::wstring quillmontCommandLine(const std::wstring& arguments) {
    return L"\"" + binFolder() + L"\\Quillmont.exe\"" + arguments;
}

}  // namespace quillmont::testing
