#pragma once

#include <variant>

#include "core/app/command_line.h"
#include "core/app/launch_request.h"
#include "core/app/opening_flows.h"
#include "core/launch/launch_context.h"

namespace quillmont {

inline constexpr char16_t kInstanceMutexName[] = u"{37A0C091-CE8E-4408-A246-0BC9812256B8}";

struct OpenSetupDialog {};
struct ChooseFileToOpen {};
// What a tokenized command line asks for: the setup dialog, the file-open dialog,
// or a file to open.
using CommandLineIntent = std::variant<OpenSetupDialog, ChooseFileToOpen, LaunchRequest>;

CommandLineIntent interpretTokens(const TokenList& tokens);

// The request for the file the user picked in the file-open dialog, or nothing
// when the dialog was cancelled or failed (which is shown as an opening error).
std::optional<LaunchRequest> askForFileToOpen(UserInterface& ui);

// Checks the file name, strips its quotes and runs the flow its extension picks.
bool openFile(const LaunchRequest& request, LaunchContext& context, const OpeningFlows& flows = {});

// The whole run: start-up, one request, shutdown. `argumentText` is the command
// line without the program's own name. Returns the process exit code.
int runProgram(const WideString& argumentText, LaunchContext& context, const OpeningFlows& flows = {});

}  // namespace quillmont
