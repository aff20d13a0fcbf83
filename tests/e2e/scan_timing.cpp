// Times a whole J2SE scan of Quillmont.exe under Wine: /setup, the Scan button,
// until the results (or the "nothing found" message) appear, on a machine with 60
// registered Java installations spread over every layout, both views and both
// roots, against the same run on an empty machine. Not a test: prints a table.
//   scan_timing [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_window.h"
#include "java_layouts.h"
#include "wine_machine.h"
#include "launch_world.h"
#include "win32/platform/wide_text.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

// Milliseconds from the click on Scan until a window with this caption is there.
double timeOneScan(const std::wstring& caption) {
    std::unique_ptr<RemoteProgram> program = startQuillmont(L" /setup");
    // Without any starter the setup dialog first hints at the Scan buttons.
    if (HWND hint = program->waitForDialogTitled(L"Information")) DialogWindow(hint).click(IDOK);
    HWND setup = program->waitForDialogTitled(L"Quillmont Setup");
    if (setup == nullptr) return -1;
    const auto start = std::chrono::steady_clock::now();
    DialogWindow(setup).click(1004);
    HWND shown = program->waitForDialogTitled(caption, 60000);
    const auto took = std::chrono::steady_clock::now() - start;
    if (shown == nullptr) return -1;
    DialogWindow(shown).click(caption == L"Information" ? IDOK : IDCANCEL);
    Sleep(100);
    DialogWindow(setup).click(IDCANCEL);
    program->waitForExit();
    return std::chrono::duration<double, std::milli>(took).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    StarterSettings settings;  // no starter is configured: every proposal is listed
    std::vector<double> empty, full;
    for (int round = 0; round < rounds; ++round) {
        empty.push_back(timeOneScan(L"Information"));
        WineMachine machine;
        for (const JavaInstallationLayout& layout : spreadJavaInstallations(60)) {
            const std::wstring home = machine.installStubs(win32::toWide(layout.home),
                                                           [&] {
                                                               std::vector<std::wstring> names;
                                                               for (const auto& l : layout.launchers)
                                                                   names.push_back(win32::toWide(l));
                                                               return names;
                                                           }());
            machine.setValue(layout.view == RegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY,
                             win32::toWide(layout.key), win32::toWide(layout.valueName), home,
                             layout.root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
        }
        full.push_back(timeOneScan(L"Detected J2SE Starters"));
    }
    std::printf("J2SE scan through Quillmont.exe under Wine, median of %d rounds (ms from Scan to the answer)\n",
                rounds);
    std::printf("  empty machine:          %8.1f\n", median(empty));
    std::printf("  60 installations:       %8.1f\n", median(full));
    std::printf("  the scan's cost:        %8.1f\n", median(full) - median(empty));
    return 0;
}
