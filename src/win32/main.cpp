// The wide-character GUI entry point and the program's one composition root: it
// builds every real port, says which registry the settings live in, and hands
// each part what it uses.
#include <windows.h>

#include <exception>
#include <optional>

#include "core/app/program_entry.h"
#include "core/starters/settings_store.h"
#include "win32/platform/wide_text.h"
#include "win32/ui/escaped_exception.h"
#include "win32/ui/win32_dialogs.h"
#include "win32/win32_platform.h"

namespace {

// How long the end of the run waits for update checks the user cancelled, whose
// requests may still wait for their server.
constexpr DWORD kCancelledCheckWait = 3000;

int serve(quillmont::win32::Win32Platform& real, PWSTR argumentText) {
    using namespace quillmont;
    Platform& platform = real.ports();
    // The store is read from the registry when first needed: a command line
    // error or a cancelled file-open dialog reads nothing.
    std::optional<SettingsStore> store;
    const SettingsAccess settings = [&platform, &store]() -> SettingsStore& {
        if (!store) store.emplace(platform.registry).load();
        return *store;
    };
    win32::Win32Dialogs dialogs(platform, real.scanDialogs(), real.updateDialogs(), settings);
    LaunchContext context{platform, dialogs, settings};
    return runProgram(win32::fromWide(argumentText), context);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR argumentText, int) {
    using namespace quillmont;
    win32::Win32Platform real;
    int code = 1;
    try {
        code = serve(real, argumentText);
    } catch (...) {
        // Nothing ends silently: not even memory running out.
        code = win32::reportEscapedException(std::current_exception());
    }
    // A worker still out uses ports that go with `real`: the process ends here
    // instead, which stops the worker before anything is torn down.
    if (!real.updateDialogs().waitForCancelledChecks(kCancelledCheckWait)) ExitProcess(static_cast<UINT>(code));
    return code;
}
