#include "process_launcher_contract.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_process_launcher.h"

namespace quillmont::testing {

namespace {

// The real CreateProcessW and a real program that writes down what it received.
class Win32ProcessLauncherHarness final : public ProcessLauncherHarness {
public:
    ProcessLauncher& launcher() override { return launcher_; }
    WideString recordingProgram() override { return win32::fromWide(CommandLineRecorder::starterWithSpaces()); }
    WideString missingProgram() override { return win32::fromWide(binFolder() + L"\\no such starter.exe"); }
    std::optional<WideString> recordedCommandLine() override { return recorder_.wait(); }

private:
    win32::Win32ProcessLauncher launcher_;
    CommandLineRecorder recorder_;
};

}  // namespace

std::unique_ptr<ProcessLauncherHarness> makeProcessLauncherHarness() {
    return std::make_unique<Win32ProcessLauncherHarness>();
}

}  // namespace quillmont::testing
