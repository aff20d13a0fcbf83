// Quillmont.exe's own update address, reached through "/setup" and the "Check
// for Updates..." link. Runs only inside tests/update/tls_round_trip.sh, which
// points the product's host at a TLS server on 127.0.0.1 for the run.
#include <gtest/gtest.h>

#include <cstdlib>

#include "dialog_window.h"
#include "launch_world.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

constexpr int kUpdateLink = 1025;

}  // namespace

TEST(ShippedUpdateAddress, TheSetupLinkReachesTheProductsHttpsServiceAndSaysItIsTheLatest) {
    if (std::getenv("QUILLMONT_TLS_ROUND_TRIP") == nullptr)
        GTEST_SKIP() << "needs the product's host on 127.0.0.1 (tests/update/tls_round_trip.sh)";
    StarterSettings settings;  // no starters: the setup dialog first shows its hint
    std::unique_ptr<RemoteProgram> program = startQuillmont(L" /setup");
    ASSERT_TRUE(program->valid());
    HWND hint = program->waitForDialogTitled(L"Information");
    ASSERT_NE(hint, nullptr);
    readAndConfirm(hint);
    HWND setup = program->waitForDialogTitled(L"Quillmont Setup");
    ASSERT_NE(setup, nullptr);
    // The link is a static control: a press of the mouse button follows it.
    PostMessageW(DialogWindow(setup).control(kUpdateLink), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    HWND box = program->waitForDialogTitled(L"Complete", 40000);
    ASSERT_NE(box, nullptr) << "no answer from the service";
    const ShownMessage shown = readAndConfirm(box);
    EXPECT_EQ(shown.texts, std::vector<std::wstring>{L"This is the latest version of the program."});
    EXPECT_TRUE(shown.owned);
    DialogWindow(setup).click(IDCANCEL);
    EXPECT_EQ(program->waitForExit(), DWORD{0});
}
