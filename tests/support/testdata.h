#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "base/bytes.h"
#include "test_paths.h"

namespace quillmont::testing {

// The shared folder of real files from elsewhere, beside the project.
inline std::string testdataPath(const std::string& relative) { return QUILLMONT_TESTDATA "/" + relative; }

inline Bytes readTestdata(const std::string& relative) {
    std::ifstream in(testdataPath(relative), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
inline std::string textOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace quillmont::testing
