#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/files.h"

namespace quillmont::testing {

// One side's files for the file cases: the port, and a scratch folder of the
// case's own that the harness removes again. Files and folders for a case are
// made and read back past the port, so that a case tests only the port.
class FilesHarness {
public:
    virtual ~FilesHarness() = default;
    virtual Files& files() = 0;
    // Empty, without a trailing backslash; the path holds spaces.
    virtual WideString folder() = 0;
    virtual void makeFolder(const WideString& path) = 0;
    virtual void makeFile(const WideString& path, const std::string& text, bool readOnly = false) = 0;
    // Nothing when no file is at the path.
    virtual std::optional<std::string> contents(const WideString& path) = 0;
};

std::unique_ptr<FilesHarness> makeFilesHarness();

}  // namespace quillmont::testing
