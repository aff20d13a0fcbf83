// The wide-character GUI entry point: wires the Win32 ports to the portable program.
#include <windows.h>

#include "core/app/program_entry.h"
#include "core/launch/launch_flows.h"
#include "core/starters/settings_store.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_files.h"
#include "win32/platform/win32_process_launcher.h"
#include "win32/platform/win32_registry.h"
#include "win32/platform/win32_shell.h"
#include "win32/platform/win32_startup_services.h"
#include "win32/ui/win32_dialogs.h"
#include "win32/ui/win32_user_interface.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR argumentText, int) {
    using namespace quillmont;
    win32::Win32StartupServices startup(instance);
    win32::Win32UserInterface ui;
    win32::Win32ProcessLauncher processes;
    win32::Win32Registry registry;
    win32::Win32Shell shell;
    win32::Win32Dialogs dialogs(ui, registry, shell);
    win32::Win32Files files;
    Platform platform{startup, ui, processes, dialogs, registry, shell, files};
    LaunchFlows flows({platform, [&registry]() -> SettingsStore& { return SettingsStore::instance(registry); }});
    return runProgram(win32::fromWide(argumentText), platform, flows);
}
