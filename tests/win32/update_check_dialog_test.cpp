#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "core/update/update_command.h"
#include "dialog_driver.h"
#include "dialog_ports.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/wininet_http_client.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/window_ref.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

// The loopback update service that the test run starts (tests/update/update_server.py):
// its first path segment picks the answer.
WideString serviceFor(const char* answer) {
    const char* server = std::getenv("QUILLMONT_UPDATE_SERVER");
    if (server == nullptr) {
        ADD_FAILURE() << "QUILLMONT_UPDATE_SERVER is not set: start tests/update/update_server.py";
        return u"http://127.0.0.1:9/";
    }
    const std::string base = std::string(server) + "/" + answer + "/update/1/";
    return WideString(base.begin(), base.end());
}

struct CheckRun {
    std::wstring caption;
    std::vector<DialogWindow::Control> controls;
    std::vector<std::wstring> message;  // the message box's texts, empty without one
    std::wstring messageCaption;
    bool cancelDisabled = false;
    std::vector<WideString> opened;
    ULONGLONG milliseconds = 0;
    bool timedOut = false;
    bool workerOutlivedTheDialog = false;
    bool workerEndedWithItsRequest = false;
};

// "Check for Updates..." against the loopback service, answered as a user would:
// the progress dialog is looked at (and cancelled when asked), then the message
// box, if one comes, is read and confirmed.
CheckRun checkAgainst(const char* answer, bool cancel = false, unsigned timeoutMs = 15000) {
    win32::WininetHttpClient http;  // before the ports: a cancelled check's worker is waited for when they go
    DialogPorts ports;
    Platform platform{ports.startup, ports.ui, ports.processes, ports.registry, ports.shell,
                      ports.files, ports.versions, ports.environment, ports.xml, http};
    CheckRun run;
    DialogDriver driver({[&](DialogWindow& dialog) {
                             run.caption = dialog.caption();
                             run.controls = dialog.controls();
                             if (!cancel) return;
                             // Once the request is under way: the progress bar stands at 1.
                             HWND bar = GetDlgItem(dialog.handle(), IDC_UPDATE_PROGRESS);
                             for (int waited = 0; waited < 3000 && SendMessageW(bar, PBM_GETPOS, 0, 0) < 1; waited += 20)
                                 DialogDriver::pumpMessages(20);
                             dialog.click(IDCANCEL);
                             DialogDriver::pumpMessages(100);
                             run.cancelDisabled = !dialog.isEnabled(IDCANCEL);
                         },
                         [&](DialogWindow& box) {
                             run.messageCaption = box.caption();
                             run.message = box.staticTexts();
                             box.click(IDOK);
                         }},
                        timeoutMs);
    const ULONGLONG start = GetTickCount64();
    driver.run([&] {
        checkForUpdates(kNoWindow, platform, ports.updateDialogs, serviceFor(answer));
        return 0;
    });
    run.milliseconds = GetTickCount64() - start;
    run.timedOut = driver.timedOut();
    run.workerOutlivedTheDialog = !ports.updateDialogs.waitForCancelledChecks(0);
    run.workerEndedWithItsRequest = ports.updateDialogs.waitForCancelledChecks(20000);
    run.opened = ports.shell.openedUrls;
    return run;
}

const std::vector<std::wstring> kConnectionError{L"Server connection error. Please check your Internet connection."};

}  // namespace

TEST(UpdateCheckDialog, EachAnswerOfTheServiceEndsInItsMessage) {
    struct Case {
        const char* answer;
        std::vector<std::wstring> message;
        const wchar_t* caption;
        bool opens;
    };
    const Case cases[] = {
        {"newer", {L"There are some updates for the program."}, L"Complete", true},
        {"latest", {L"This is the latest version of the program."}, L"Complete", false},
        {"error500", kConnectionError, L"Error", false},
        {"star", kConnectionError, L"Error", false},
        {"linebreak", kConnectionError, L"Error", false},
        {"twoversions", kConnectionError, L"Error", false},
        {"oversize", kConnectionError, L"Error", false},
        {"fileurl", kConnectionError, L"Error", false},
    };
    for (const Case& c : cases) {
        const CheckRun run = checkAgainst(c.answer);
        EXPECT_FALSE(run.timedOut) << c.answer;
        EXPECT_EQ(run.caption, L"Checking for Updates") << c.answer;
        EXPECT_EQ(run.message, c.message) << c.answer;
        EXPECT_EQ(run.messageCaption, c.caption) << c.answer;
        EXPECT_EQ(run.opened, c.opens ? std::vector<WideString>{u"https://quillmont.test/new?from=update"}
                                      : std::vector<WideString>{})
            << c.answer;
    }
}

TEST(UpdateCheckDialog, HasCancelThenTheProgressBarFromZeroToThree) {
    const CheckRun run = checkAgainst("latest");
    ASSERT_EQ(run.controls.size(), 2u);
    EXPECT_EQ(run.controls[0].id, IDCANCEL);
    EXPECT_EQ(run.controls[0].text, L"Cancel");
    EXPECT_EQ(run.controls[1].id, IDC_UPDATE_PROGRESS);
    EXPECT_EQ(run.controls[1].className, L"msctls_progress32");
}

// Cancel closes the dialog at once, with no message, though the server would
// take ten seconds; the worker goes on with what it owns until the request ends,
// and is waited for before the ports go.
TEST(UpdateCheckDialog, CancelDuringASlowRequestClosesAtOnceWithoutAMessage) {
    const CheckRun run = checkAgainst("slow10", true);
    EXPECT_TRUE(run.message.empty());
    EXPECT_FALSE(run.timedOut);
    EXPECT_LT(run.milliseconds, 2000u) << "the dialog waited for the request";
    EXPECT_TRUE(run.opened.empty());
    EXPECT_TRUE(run.workerOutlivedTheDialog);
    EXPECT_TRUE(run.workerEndedWithItsRequest);
}

TEST(UpdateCheckDialog, AServerThatNeverAnswersIsAConnectionErrorWithinTheTimeOut) {
    const CheckRun run = checkAgainst("silent", false, 60000);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.message, kConnectionError);
    EXPECT_LT(run.milliseconds, win32::WininetHttpClient::kTimeoutMilliseconds * 2 + 5000);
}

// A dialog that cannot be created (here: its owner is gone) leaves the user with
// the connection error, not with nothing.
TEST(UpdateCheckDialog, ADialogThatCannotBeShownIsAFailedCheck) {
    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    DialogPorts ports;
    win32::WininetHttpClient http;
    UpdateChecker checker(http, ports.environment, 0x01020000, serviceFor("latest"), u"program");
    const UpdateCheckOutcome outcome = ports.updateDialogs.runUpdateCheck(win32::toWindowRef(gone), checker);
    EXPECT_EQ(outcome.result, UpdateCheckOutcome::failed().result);
    EXPECT_FALSE(outcome.succeeded);
}
