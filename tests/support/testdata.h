#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "base/bytes.h"
#include "test_paths.h"

namespace quillmont::testing {

// The shared folder of real files from elsewhere, beside the project; the
// variable QUILLMONT_TESTDATA may name another. A clone without it skips the
// tests that read it, and the test command says where it looked.
inline std::string testdataFolder() {
    const char* chosen = std::getenv("QUILLMONT_TESTDATA");
    return chosen != nullptr && *chosen != '\0' ? std::string(chosen) : std::string(QUILLMONT_TESTDATA);
}
inline bool haveTestdata() { return std::ifstream(testdataFolder() + "/README.md").good(); }

inline std::string testdataPath(const std::string& relative) { return testdataFolder() + "/" + relative; }

inline Bytes readTestdata(const std::string& relative) {
    std::ifstream in(testdataPath(relative), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
inline std::string textOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace quillmont::testing

// First in a test that reads the real files: skips it when they are not there.
#define QUILLMONT_NEEDS_TESTDATA()       \
    if (::quillmont::testing::haveTestdata()) { \
    } else                                   \
        GTEST_SKIP() << "the real-file corpus is not at " << ::quillmont::testing::testdataFolder()
