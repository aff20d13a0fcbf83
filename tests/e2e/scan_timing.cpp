// Times whole scans of Quillmont.exe under Wine: /setup, a Scan button, until
// the results (or the "nothing found" message) appear, against the same run on
// an empty machine. J2SE: 60 registered Java installations spread over every
// layout, both views and both roots, and 40 homes over the places outside the
// registry, which the environment Quillmont.exe inherits leads to. J2ME: one SDK of every family with 1,000
// devices spread over them; the same scan once more in this process through the
// real ports counts the XML documents loaded against the distinct files.
// Not a test: prints a table.
//   scan_timing [ROUNDS]
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/scan/j2me/j2me_scanner.h"
#include "dialog_window.h"
#include "fake_scan_dialogs.h"
#include "java_layouts.h"
#include "wine_machine.h"
#include "launch_world.h"
#include "win32/platform/wide_text.h"
#include "win32/win32_platform.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr int kScanJ2se = 1004;
constexpr int kScanJ2me = 1009;

// Every document the scan asks for, and the distinct files among them.
class CountingXml final : public XmlDocuments {
public:
    explicit CountingXml(XmlDocuments& real) : real_(real) {}
    std::unique_ptr<XmlDocument> load(const WideString& path) override {
        ++loads;
        files.push_back(path);
        return real_.load(path);
    }
    int loads = 0;
    std::vector<WideString> files;

private:
    XmlDocuments& real_;
};

// Lays out every SDK family with 1,000 devices below the machine's folder, the
// work folders in the user's profile and the Nokia registry file at the root of
// the drive the scans start on (the machine's).
void installSdks(WineMachine& machine) {
    wchar_t profile[MAX_PATH] = {};
    GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    const WideString root = win32::fromWide(machine.folder());
    SdkBuilder sdk(root, win32::fromWide(profile), root.substr(0, 2));
    layEveryFamily(sdk, 1000);
    machine.apply(sdk.layout);
}

// The J2ME scan in this process through the real ports: milliseconds, entries,
// documents loaded and distinct files among them.
void countJ2meScan() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        win32::Win32Platform real;
        Platform& p = real.ports();
        CountingXml counting(p.xml);
        Platform counted{p.startup, p.ui, p.processes, p.registry, p.shell, p.files, p.versions, p.environment, counting, p.http};
        FakeScanDialogs dialogs;
        StarterList starters;
        J2meScanner scanner({counted, dialogs, starters});
        const auto start = std::chrono::steady_clock::now();
        scanner.scan();
        const double took =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::vector<WideString> distinct = counting.files;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        std::printf("  in one process:         %8.1f ms, %zu entries, %d XML documents loaded, %zu distinct files\n",
                    took, scanner.detected().size(), counting.loads, distinct.size());
    }
    CoUninitialize();
}

// Milliseconds from the click on Scan until a window with this caption is there.
double timeOneScan(int button, const std::wstring& caption) {
    std::unique_ptr<RemoteProgram> program = startQuillmont(L" /setup");
    // Without any starter the setup dialog first hints at the Scan buttons.
    if (HWND hint = program->waitForDialogTitled(L"Information")) DialogWindow(hint).click(IDOK);
    HWND setup = program->waitForDialogTitled(L"Quillmont Setup");
    if (setup == nullptr) return -1;
    const auto start = std::chrono::steady_clock::now();
    DialogWindow(setup).click(button);
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
        empty.push_back(timeOneScan(kScanJ2se, L"Information"));
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
        // Wine sets the Program Files variables of every process itself: the homes
        // meant for them go to the real folders, the rest below the machine's.
        std::vector<std::pair<std::wstring, std::wstring>> saved;
        for (const auto& [name, value] : javaFolderEnvironment(win32::fromWide(machine.folder()))) {
            if (name.rfind(u"ProgramFiles", 0) == 0) continue;
            std::vector<wchar_t> old(32767);
            old.resize(GetEnvironmentVariableW(win32::toWide(name).c_str(), old.data(), 32767));
            saved.emplace_back(win32::toWide(name), std::wstring(old.begin(), old.end()));
            SetEnvironmentVariableW(win32::toWide(name).c_str(), win32::toWide(value).c_str());
        }
        wchar_t programFiles[MAX_PATH] = {}, programFiles86[MAX_PATH] = {};
        GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH);
        GetEnvironmentVariableW(L"ProgramFiles(x86)", programFiles86, MAX_PATH);
        MachineLayout installed;
        for (const JavaFolderHome& found : spreadJavaFolderHomes(40)) {
            std::wstring home = win32::toWide(found.home);
            if (home.rfind(L"pf86\\", 0) == 0) home = programFiles86 + home.substr(4);
            else if (home.rfind(L"pf\\", 0) == 0) home = programFiles + home.substr(2);
            else home = machine.folder() + L"\\" + home;
            for (const wchar_t* launcher : {L"\\bin\\java.exe", L"\\bin\\javaw.exe", L"\\bin\\javac.exe"})
                installed.files.push_back({win32::fromWide(home + launcher), "MZ"});
            installed.files.push_back({win32::fromWide(home + L"\\release"), found.release});
        }
        machine.apply(installed);
        full.push_back(timeOneScan(kScanJ2se, L"Detected J2SE Starters"));
        for (const auto& [name, value] : saved) SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
    }
    std::printf("J2SE scan through Quillmont.exe under Wine, median of %d rounds (ms from Scan to the answer)\n",
                rounds);
    std::printf("  empty machine:          %8.1f\n", median(empty));
    std::printf("  60 registered, 40 more: %8.1f\n", median(full));
    std::printf("  the scan's cost:        %8.1f\n", median(full) - median(empty));

    std::vector<double> noSdk, sdks;
    {
        WineMachine machine;
        installSdks(machine);
        wchar_t started[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, started);
        SetCurrentDirectoryW(machine.folder().c_str());  // Quillmont.exe inherits the drive
        for (int round = 0; round < rounds; ++round) sdks.push_back(timeOneScan(kScanJ2me, L"Detected J2ME Starters"));
        std::printf("J2ME scan through Quillmont.exe under Wine, median of %d rounds (ms from Scan to the answer)\n",
                    rounds);
        countJ2meScan();
        SetCurrentDirectoryW(started);
    }
    for (int round = 0; round < rounds; ++round) noSdk.push_back(timeOneScan(kScanJ2me, L"Information"));
    std::printf("  empty machine:          %8.1f\n", median(noSdk));
    std::printf("  15 SDKs, 1,000 devices: %8.1f\n", median(sdks));
    std::printf("  the scan's cost:        %8.1f\n", median(sdks) - median(noSdk));
    return 0;
}
