#pragma once

#include <functional>
#include <set>
#include <vector>

#include "platform/process_launcher.h"

namespace quillmont::testing {

// Creates no process: it records the command line and succeeds when the program
// named by the line's first token is one of `programs`, as CreateProcessW without
// an application name takes the program from the (quoted) first token.
class FakeProcessLauncher final : public ProcessLauncher {
public:
    std::set<WideString> programs;
    std::vector<WideString> started;  // command lines of the processes "created"
    std::vector<WideString> attempts; // every command line, created or not
    std::vector<WideString> folders;  // the current folder each started process was given
    std::function<void()> onCreate;   // runs when a process is about to be created
    WideString reason = u"The system cannot find the file specified.";  // of every failure

    bool createProcess(const WideString& commandLine, const WideString& currentFolder = {}) override {
        attempts.push_back(commandLine);
        if (onCreate) onCreate();
        if (programs.count(programOf(commandLine)) == 0) return false;
        started.push_back(commandLine);
        folders.push_back(currentFolder);
        return true;
    }

    WideString failureReason() override { return reason; }

    static WideString programOf(const WideString& commandLine) {
        if (!commandLine.empty() && commandLine.front() == u'"') {
            const std::size_t close = commandLine.find(u'"', 1);
            return commandLine.substr(1, close == WideString::npos ? WideString::npos : close - 1);
        }
        return commandLine.substr(0, commandLine.find_first_of(u" \t"));
    }
};

}  // namespace quillmont::testing
