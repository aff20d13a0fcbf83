#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "core/starters/settings_store.h"
#include "dialog_driver.h"
#include "machine_hive.h"
#include "user_hive.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/setup_dialog.h"
#include "win32/win32_platform.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const StarterRecord kExisting{u"Existing Java", u"C:\\jdk17\\bin\\javaw.exe", u"-jar %1 %*"};

// The setup dialog with every real port: the user's settings in one scratch
// hive, the machine's installations in another.
struct ScanningMachine {
    ScratchUserHive user;
    ScratchMachineHive machine;
    win32::Win32Platform real;
    SettingsStore store{real.ports().registry};

    ScanningMachine() {
        // A starter already there keeps the setup dialog from giving its scan hint.
        store.list(StarterKind::J2SE).placeRecord(1, kExisting);
        store.save();
    }

    INT_PTR runSetup(std::vector<DialogDriver::Step> steps) {
        store.load();
        DialogDriver driver(std::move(steps));
        win32::SetupDialog dialog(store, real.ports(), real.scanDialogs(), real.updateDialogs());
        const INT_PTR result = driver.run([&] { return dialog.run(nullptr); });
        EXPECT_TRUE(driver.allStepsRan()) << driver.stepsRun() << " steps ran";
        EXPECT_FALSE(driver.timedOut());
        return result;
    }

    std::vector<StarterRecord> storedJ2seStarters() {
        SettingsStore saved(real.ports().registry);
        saved.load();
        StarterList& list = saved.list(StarterKind::J2SE);
        std::vector<StarterRecord> records;
        for (int slot = list.nextSlot(0); slot != 0; slot = list.nextSlot(slot)) records.push_back(list.record(slot));
        return records;
    }
};

}  // namespace

TEST(SetupDialogScan, AMachineWithoutJavaGetsTheInformationAndTheListStaysAsItWas) {
    ScanningMachine machine;
    ASSERT_TRUE(machine.user.valid());
    ASSERT_TRUE(machine.machine.valid());
    HWND setupWindow = nullptr, messageOwner = nullptr;
    std::wstring caption;
    std::vector<std::wstring> text, listAfter;
    machine.runSetup({[&](DialogWindow& setup) {
                          setupWindow = setup.handle();
                          setup.click(IDC_J2SE_SCAN);
                      },
                      [&](DialogWindow& message) {
                          caption = message.caption();
                          text = message.staticTexts();
                          messageOwner = message.owner();
                          message.click(IDOK);
                      },
                      [&](DialogWindow& setup) {
                          listAfter = setup.listItems(IDC_J2SE_LIST);
                          setup.click(IDOK);
                      }});
    EXPECT_EQ(caption, L"Information");
    EXPECT_EQ(text, std::vector<std::wstring>{L"No J2SE starters are detected."});
    EXPECT_EQ(messageOwner, setupWindow);
    EXPECT_EQ(listAfter, std::vector<std::wstring>{L"Existing Java"});
    EXPECT_EQ(machine.storedJ2seStarters(), std::vector<StarterRecord>{kExisting});
}

TEST(SetupDialogScan, ATickedRuntimeJoinsTheListAndOnlyOkStoresIt) {
    ScanningMachine machine;
    ASSERT_TRUE(machine.machine.setString(L"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.6.0_45", L"JavaHome",
                                          L"C:\\Program Files\\Java\\jre6"));
    const StarterRecord scanned{u"JRE 1.6.0_45 (GUI)", u"C:\\Program Files\\Java\\jre6\\bin\\javaw.exe",
                                u"-jar %1 %*"};
    for (const INT_PTR closeWith : {IDCANCEL, IDOK}) {
        HWND setupWindow = nullptr, resultsOwner = nullptr;
        std::wstring resultsCaption;
        std::vector<std::wstring> rows, listAfter, comboAfter;
        bool editEnabled = true;
        const INT_PTR result = machine.runSetup(
            {[&](DialogWindow& setup) {
                 setupWindow = setup.handle();
                 setup.click(IDC_J2SE_SCAN);
             },
             [&](DialogWindow& results) {
                 resultsCaption = results.caption();
                 resultsOwner = results.owner();
                 rows = results.listViewItems(IDC_SCAN_LIST);
                 const auto gui = std::find(rows.begin(), rows.end(), L"JRE 1.6.0_45 (GUI)");
                 if (gui != rows.end())
                     results.checkListViewItem(IDC_SCAN_LIST, static_cast<int>(gui - rows.begin()), true);
                 results.click(IDOK);
             },
             [&](DialogWindow& setup) {
                 listAfter = setup.listItems(IDC_J2SE_LIST);
                 comboAfter = setup.comboItems(IDC_J2SE_ACTION);
                 editEnabled = setup.isEnabled(IDC_J2SE_EDIT);
                 setup.click(static_cast<int>(closeWith));
             }});
        SCOPED_TRACE(closeWith == IDOK ? "closed with OK" : "closed with Cancel");
        EXPECT_EQ(result, closeWith);
        EXPECT_EQ(resultsCaption, L"Detected J2SE Starters");
        EXPECT_EQ(resultsOwner, setupWindow);
        EXPECT_EQ(rows, (std::vector<std::wstring>{L"JRE 1.6.0_45 (Console)", L"JRE 1.6.0_45 (GUI)"}));
        EXPECT_EQ(listAfter, (std::vector<std::wstring>{L"Existing Java", L"JRE 1.6.0_45 (GUI)"}));
        EXPECT_EQ(comboAfter, (std::vector<std::wstring>{L" <Choice once opened>", L" <Last used action>",
                                                         L"Existing Java", L"JRE 1.6.0_45 (GUI)"}));
        EXPECT_FALSE(editEnabled);  // the refilled list has no selection
        if (closeWith == IDCANCEL) {
            EXPECT_EQ(machine.storedJ2seStarters(), std::vector<StarterRecord>{kExisting});
        } else {
            EXPECT_EQ(machine.storedJ2seStarters(), (std::vector<StarterRecord>{kExisting, scanned}));
        }
    }
}
