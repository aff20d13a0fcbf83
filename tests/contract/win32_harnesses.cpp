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

#include <windows.h>

#include "registry_contract.h"
#include "win32/platform/win32_registry.h"

namespace quillmont::testing {

namespace {

// The real registry of the Wine prefix; each case gets a key of its own.
class Win32RegistryHarness final : public RegistryHarness {
public:
    Win32RegistryHarness()
        : scratch_(u"Software\\Brenwick\\Quillmont tests\\" +
                   win32::fromWide(std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter_))) {
        registry_.deleteTree(RegistryRoot::CurrentUser, scratch_);
        registry_.createKey(RegistryRoot::CurrentUser, scratch_);
    }
    ~Win32RegistryHarness() override { registry_.deleteTree(RegistryRoot::CurrentUser, scratch_); }
    Registry& registry() override { return registry_; }
    WideString scratchKey() override { return scratch_; }

private:
    static inline unsigned counter_ = 0;
    win32::Win32Registry registry_;
    WideString scratch_;
};

}  // namespace

std::unique_ptr<RegistryHarness> makeRegistryHarness() { return std::make_unique<Win32RegistryHarness>(); }

}  // namespace quillmont::testing
