// Shows one of the program's dialogs on its own, for screenshots:
//   dialog_gallery.exe about | j2se-starter | j2me-starter | j2se-select | j2me-select | jad-size | jad-web
//                      | scan-results | scan-results-nonmain | scan-results-j2me | scan-progress
//                      | update-check | setup
// The screenshot of the setup dialog is taken of Quillmont.exe /setup itself.
// With QUILLMONT_FIT_REPORT set to a file, the dialog is not left on the screen: once
// it is up, every text of its buttons and labels that does not fit its control at
// this resolution is added to that file, and the program ends.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/starters/emulator_presets.h"
#include "core/starters/settings_store.h"
#include "core/update/update_checker.h"
#include "support/dialog_ports.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/about_dialog.h"
#include "win32/ui/dialog_framework.h"
#include "win32/ui/jad_size_dialog.h"
#include "win32/ui/scan_progress_dialog.h"
#include "win32/ui/selection_dialog.h"
#include "win32/ui/setup_dialog.h"
#include "win32/ui/starter_edit_dialog.h"
#include "win32/ui/update_check_dialog.h"

namespace {

using quillmont::DetectedStarter;

std::wstring g_resultsTitle = L"Detected J2SE Starters";

// What the J2ME scanner finds beside a wireless toolkit with two devices, an SDK
// 3.2 and an S60 SDK.
std::vector<DetectedStarter> detectedEmulators() {
    struct Row {
        const char16_t* name;
        const char16_t* executable;
        const char16_t* arguments;
    };
    const Row rows[] = {
        {u"Sun WTK 2.5.2 - Default Emulator", u"C:\\WTK2.5.2\\bin\\emulatorw.exe", u"-Xdescriptor:%1"},
        {u"Sun WTK 2.5.2 - DefaultColorPhone Emulator", u"C:\\WTK2.5.2\\bin\\emulatorw.exe",
         u"-Xdescriptor:%1 -Xdevice:DefaultColorPhone"},
        {u"Sun WTK 2.5.2 - QwertyDevice Emulator", u"C:\\WTK2.5.2\\bin\\emulatorw.exe",
         u"-Xdescriptor:%1 -Xdevice:QwertyDevice"},
        {u"Orcale SDK 3.2 - Default Emulator", u"C:\\Java_ME_platform_SDK_3.2\\bin\\emulator.exe", u"-Xdescriptor:%1"},
        {u"Oracle SDK 3.2 - JavaMEPhone1 Emulator", u"C:\\Java_ME_platform_SDK_3.2\\bin\\emulator.exe",
         u"-Xdescriptor:%1 -Xdevice:JavaMEPhone1"},
        {u"S60 3rd Edition FP2 MIDP", u"C:\\S60\\devices\\S60_3rd_FP2_SDK_v1.1\\bin\\emulator.exe", u"-Xdescriptor:%1"},
    };
    std::vector<DetectedStarter> detected;
    for (const Row& row : rows) {
        DetectedStarter proposal;
        proposal.starter.name = row.name;
        proposal.starter.executableFile = row.executable;
        proposal.starter.arguments = row.arguments;
        detected.push_back(proposal);
    }
    return detected;
}

// A service that takes its time: the update dialog stays at its first step.
class SlowService final : public quillmont::HttpClient, quillmont::HttpSession {
public:
    std::unique_ptr<quillmont::HttpSession> openSession(const quillmont::WideString&) override {
        return std::unique_ptr<quillmont::HttpSession>(new SlowService);
    }
    std::unique_ptr<quillmont::HttpBody> get(const quillmont::WideString&, const quillmont::WideString&) override {
        Sleep(20000);
        return nullptr;
    }
};

// What the J2SE scanner finds beside a JRE 6 and a JDK 6 of the same update and a
// JRE 8: the stand-alone runtimes are main, the kit's launchers are not.
std::vector<DetectedStarter> detectedJavas() {
    struct Row {
        const char16_t* name;
        const char16_t* executable;
        bool main;
    };
    const Row rows[] = {
        {u"JRE 1.6.0_45 (GUI)", u"C:\\Program Files\\Java\\jre6\\bin\\javaw.exe", true},
        {u"JRE 1.6.0_45 (Console)", u"C:\\Program Files\\Java\\jre6\\bin\\java.exe", true},
        {u"JRE 1.8.0_202 (GUI)", u"C:\\Program Files\\Java\\jre1.8.0_202\\bin\\javaw.exe", true},
        {u"JRE 1.8.0_202 (Console)", u"C:\\Program Files\\Java\\jre1.8.0_202\\bin\\java.exe", true},
        {u"JRE in JDK 1.6.0_45 (GUI)", u"C:\\Program Files\\Java\\jdk1.6.0_45\\jre\\bin\\javaw.exe", false},
        {u"JRE in JDK 1.6.0_45 (Console)", u"C:\\Program Files\\Java\\jdk1.6.0_45\\jre\\bin\\java.exe", false},
        {u"JDK 1.6.0_45 (GUI)", u"C:\\Program Files\\Java\\jdk1.6.0_45\\bin\\javaw.exe", false},
        {u"JDK 1.6.0_45 (Console)", u"C:\\Program Files\\Java\\jdk1.6.0_45\\bin\\java.exe", false},
    };
    std::vector<DetectedStarter> detected;
    for (const Row& row : rows) {
        DetectedStarter proposal;
        proposal.main = row.main;
        proposal.starter.name = row.name;
        proposal.starter.executableFile = row.executable;
        proposal.starter.arguments = u"-jar %1 %*";
        detected.push_back(proposal);
    }
    return detected;
}

// Once the results dialog is up, it is given what a user would have done to it:
// the row to show ticked and selected, and for the second picture the nonmain rows.
std::wstring g_rowToPick;
bool g_showNonmain = false;

void CALLBACK pickRow(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", g_resultsTitle.c_str());
    if (dialog == nullptr) return;
    KillTimer(nullptr, timer);
    if (g_showNonmain) SendDlgItemMessageW(dialog, IDC_SCAN_SHOW_NONMAIN, BM_CLICK, 0, 0);
    HWND list = GetDlgItem(dialog, IDC_SCAN_LIST);
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = g_rowToPick.c_str();
    const WPARAM row = static_cast<WPARAM>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                                        reinterpret_cast<LPARAM>(&find)));
    LVITEMW state{};
    state.state = INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED | LVIS_FOCUSED;
    state.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SetFocus(list);
}

// Once the J2ME starter dialog is up, KEmulator's archive is typed as its program
// and the user leaves the field: the dialog fills itself in.
void CALLBACK typeEmulatorArchive(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"J2ME Starter");
    if (dialog == nullptr) return;
    KillTimer(nullptr, timer);
    SetDlgItemTextW(dialog, IDC_STARTER_EXECUTABLE, L"C:\\Users\\Ana\\Downloads\\KEmulator nnmod\\KEmulator.jar");
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_STARTER_EXECUTABLE, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_STARTER_EXECUTABLE)));
}

// The text of each button and label, in the control's own font, within the control:
// the label's lines as it wraps them, a link's one line, a button's less its frame,
// a check box's less the box, a group box's caption less its corners.
void CALLBACK checkFit(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = GetActiveWindow();
    if (dialog == nullptr) dialog = FindWindowW(L"#32770", nullptr);  // the scan's window is never active
    FILE* report = _wfopen(_wgetenv(L"QUILLMONT_FIT_REPORT"), L"a");
    HDC dc = GetDC(dialog);
    const int frame = 2 * GetSystemMetrics(SM_CXEDGE), box = GetSystemMetrics(SM_CXMENUCHECK) + 2 * frame;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {}, text[512] = {};
        GetClassNameW(child, name, 32);
        GetWindowTextW(child, text, 512);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const bool button = _wcsicmp(name, L"Button") == 0, label = _wcsicmp(name, L"Static") == 0;
        if ((!button && !label) || text[0] == L'\0' || (label && (style & (SS_TYPEMASK | SS_ELLIPSISMASK)) > SS_RIGHT))
            continue;
        RECT room{}, need{};
        GetClientRect(child, &room);
        const int type = style & BS_TYPEMASK;
        if (button) room.right -= type == BS_GROUPBOX ? 4 * frame : type <= BS_DEFPUSHBUTTON ? 2 * frame : box;
        const bool wraps = label && !(style & SS_NOTIFY);
        need.right = wraps ? room.right : 0;
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text, -1, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE) |
                                           (label && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
        if (need.right > room.right || need.bottom > room.bottom)
            fwprintf(report, L"%ls, %d dpi: \"%ls\" needs %ldx%ld, has %ldx%ld\n", GetCommandLineW(),
                     GetDeviceCaps(dc, LOGPIXELSY), text, need.right, need.bottom, room.right, room.bottom);
    }
    ReleaseDC(dialog, dc);
    if (report != nullptr) fclose(report);
    ExitProcess(0);
}

void pumpMessagesFor(DWORD milliseconds) {
    const ULONGLONG until = GetTickCount64() + milliseconds;
    while (GetTickCount64() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    using namespace quillmont;
    SetCursorPos(0, 0);  // away from the dialog, whose link would show itself hovered
    const std::wstring which = arguments;
    testing::DialogPorts ports;
    win32::Win32UserInterface& ui = ports.ui;
    if (_wgetenv(L"QUILLMONT_FIT_REPORT") != nullptr) SetTimer(nullptr, 0, 1500, &checkFit);
    if (which == L"setup") {
        SettingsStore store(ports.registry);  // a starter of each kind, so that no hint comes
        store.list(StarterKind::J2SE).placeRecord(1, {u"Java 17", u"C:\\jdk-17\\bin\\javaw.exe", u"-jar %1 %*"});
        store.list(StarterKind::J2ME).placeRecord(1, {u"Wireless Toolkit 2.5", u"C:\\WTK25\\bin\\emulator.exe", u"%1"});
        win32::SetupDialog(store, ports.platform, ports.scanDialogs, ports.updateDialogs).run(nullptr);
    } else if (which == L"about") {
        win32::AboutDialog(ports.shell).run(nullptr);
    } else if (which == L"j2se-starter" || which == L"j2me-starter") {
        StarterRecord record = which == L"j2se-starter"
                                   ? StarterRecord{u"Java 17", u"C:\\Program Files\\Java\\jdk-17\\bin\\javaw.exe",
                                                   u"-jar %1 %*"}
                                   : StarterRecord{u"Wireless Toolkit 2.5", u"C:\\WTK25\\bin\\emulator.exe",
                                                   u"-Xdescriptor:%1 -Xdevice:DefaultColorPhone"};
        win32::StarterEditDialog(record, which == L"j2se-starter" ? StarterKind::J2SE : StarterKind::J2ME, ui)
            .run(nullptr);
    } else if (which == L"emulator-starter") {
        StarterRecord record;
        SetTimer(nullptr, 0, 200, &typeEmulatorArchive);
        win32::StarterEditDialog(record, StarterKind::J2ME, ui, [](const WideString& path, const StarterRecord&) {
            return EmulatorFill{emulatorStarter(*presetForArchive(path), path,
                                                u"C:\\Program Files\\Eclipse Adoptium\\jdk-17.0.9.9-hotspot\\bin\\javaw.exe"),
                                u"Java: the J2SE starter \"Temurin JDK 17.0.9 (GUI)\".", {}};
        }).run(nullptr);
    } else if (which == L"j2se-select" || which == L"j2me-select") {
        const StarterKind kind = which == L"j2se-select" ? StarterKind::J2SE : StarterKind::J2ME;
        SettingsStore store(ports.registry);
        StarterList& list = store.list(kind);
        if (kind == StarterKind::J2SE) {
            list.placeRecord(1, {u"Java 17", u"C:\\Program Files\\Java\\jdk-17\\bin\\javaw.exe", u"-jar %1 %*"});
            list.placeRecord(2, {u"Java 8 (console)", u"C:\\Program Files\\Java\\jre8\\bin\\java.exe", u"-jar %1 %*"});
            list.placeRecord(3, {u"Java 21", u"C:\\Program Files\\Java\\jdk-21\\bin\\javaw.exe", u"-jar %1 %*"});
        } else {
            list.placeRecord(1, {u"Wireless Toolkit 2.5", u"C:\\WTK25\\bin\\emulator.exe", u"-Xdescriptor:%1"});
            list.placeRecord(2, {u"Nokia S40 SDK", u"C:\\Nokia\\S40\\bin\\emulator.exe", u"-Xdescriptor:%1"});
            list.placeRecord(3, {u"MicroEmulator", u"C:\\microemu\\microemu.exe", u"%2"});
        }
        list.setLastAction(1);
        win32::SelectionDialog(kind, store, ports.platform, ports.scanDialogs, ports.updateDialogs).run(nullptr);
    } else if (which == L"jad-size") {
        win32::JadSizeDialog(93739, 79158).run(nullptr);
    } else if (which == L"jad-web") {
        win32::JadSizeDialog({93739, 79158, u"http://games.example/dl/Bounce.jar", u"Bounce.jar"}).run(nullptr);
    } else if (which == L"scan-results" || which == L"scan-results-nonmain") {
        g_showNonmain = which == L"scan-results-nonmain";
        g_rowToPick = g_showNonmain ? L"JDK 1.6.0_45 (GUI)" : L"JRE 1.8.0_202 (GUI)";
        std::vector<DetectedStarter> detected = detectedJavas();
        SetTimer(nullptr, 0, 300, &pickRow);
        ports.scanDialogs.runResults(kNoWindow, u"Detected J2SE Starters", detected);
    } else if (which == L"scan-results-j2me") {
        g_resultsTitle = L"Detected J2ME Starters";
        g_rowToPick = L"Sun WTK 2.5.2 - DefaultColorPhone Emulator";
        std::vector<DetectedStarter> detected = detectedEmulators();
        SetTimer(nullptr, 0, 300, &pickRow);
        ports.scanDialogs.runResults(kNoWindow, u"Detected J2ME Starters", detected);
    } else if (which == L"update-check") {
        SlowService service;
        UpdateChecker checker(service, ports.environment, 0x01020000, u"https://quillmont.brenwick.example/update/1/",
                              u"program");
        ports.updateDialogs.runUpdateCheck(kNoWindow, checker);
    } else if (which == L"scan-progress") {
        auto progress = win32::ScanProgressDialog::show(nullptr, u"Scanning for J2SE Starters");
        pumpMessagesFor(20000);
    }
    return 0;
}
