#pragma once

#include <optional>
#include <string>

#include "base/wide_string.h"

namespace quillmont::testing {

// The folder that holds this test program, Quillmont.exe and the recording starter.
std::wstring binFolder();
// A new, empty folder under the user's temporary folder; the name may hold spaces.
std::wstring makeTemporaryFolder(const std::wstring& name);
// Folders nested below `folder` until the path is at least `length` characters long.
std::wstring makeDeepFolder(std::wstring folder, std::size_t length);
std::optional<std::wstring> readUtf16File(const std::wstring& path);

// Points QUILLMONT_RECORD_FILE of this process (and so of every process it starts)
// at a fresh file, and reads what the recording starter wrote there.
class CommandLineRecorder {
public:
    CommandLineRecorder();
    // The recorded line, once it is there; nothing after `timeoutMs`.
    std::optional<WideString> wait(unsigned timeoutMs = 20000) const;
    // For after the program under test has exited: no starter recorded a line
    // within a margin that a started one could not miss. A process the program
    // created before exiting exists already; under Wine it records within about
    // half a second even on a busy machine.
    bool nothingStarted() const { return !wait(kStartMargin).has_value(); }
    static constexpr unsigned kStartMargin = 3000;
    // The current folder the starter ran in, once the line is there.
    std::optional<WideString> currentFolder() const;
    // Forgets the recorded line, for the next start.
    void clear() const;
    // The recording starter, copied into a folder whose path holds spaces.
    static std::wstring starterWithSpaces();
    static std::wstring starter();

private:
    std::wstring file_;
};

}  // namespace quillmont::testing
