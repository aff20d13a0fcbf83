#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "base/wide_string.h"
#include "platform/process_launcher.h"

namespace quillmont {

// A chosen starter about to be started: its executable, its argument template and
// the quoted values of %1, %2, ... Built by an opening flow, used once.
class StarterProcess {
public:
    // The command line is built without a fixed buffer, so nothing can overrun;
    // a line longer than CreateProcessW accepts (32,767 characters) is refused
    // before the call. Longer lines than the classic 4,095 therefore still start.
    static constexpr std::size_t kMaxCommandLine = 32767;

    // An empty start folder starts the process in Quillmont's current folder.
    StarterProcess(WideString executableFile, WideString argumentTemplate, WideString startFolder = {});

    // Appends "text" (in double quotes) as the next numbered parameter.
    void addQuotedParameter(const WideString& text);

    // The command line for these external arguments, or nothing when it would be
    // longer than kMaxCommandLine.
    std::optional<WideString> buildCommandLine(const WideString& externalArguments) const;

    // Builds the command line and creates the process; true when it was created.
    bool start(ProcessLauncher& launcher, const WideString& externalArguments) const;

private:
    WideString executableFile_;
    WideString template_;
    WideString startFolder_;
    std::vector<WideString> parameters_;
};

}  // namespace quillmont
