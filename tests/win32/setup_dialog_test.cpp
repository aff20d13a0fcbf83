#include <gtest/gtest.h>

#include "core/starters/settings_store.h"
#include "dialog_driver.h"
#include "dialog_ports.h"
#include "win32/platform/wide_text.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/setup_dialog.h"
#include "zip_builder.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const WideString kJ2se = u"Software\\Brenwick\\Quillmont\\setup1\\J2SE";
const WideString kJ2me = u"Software\\Brenwick\\Quillmont\\setup1\\J2ME";

struct SetupRun {
    DialogPorts ports;
    FakeRegistry& registry = ports.registry;
    FakeShell& shell = ports.shell;
    SettingsStore store{registry};

    void storeStarter(const WideString& kindKey, int slot, const WideString& name) {
        const WideString key = kindKey + u"\\" + ascii(std::to_string(slot).c_str());
        registry.createKey(RegistryRoot::CurrentUser, key);
        registry.setString(RegistryRoot::CurrentUser, key, u"Name", name);
        registry.setString(RegistryRoot::CurrentUser, key, u"ExecutableFile", u"C:\\java\\bin\\java.exe");
        registry.setString(RegistryRoot::CurrentUser, key, u"Arguments", u"-jar %1 %*");
    }

    INT_PTR run(std::vector<DialogDriver::Step> steps) {
        store.load();
        DialogDriver driver(std::move(steps));
        win32::SetupDialog dialog(store, ports.platform, ports.scanDialogs, ports.updateDialogs);
        const INT_PTR result = driver.run([&] { return dialog.run(nullptr); });
        EXPECT_TRUE(driver.allStepsRan()) << driver.stepsRun() << " steps ran";
        EXPECT_FALSE(driver.timedOut());
        return result;
    }
};

std::wstring comboSelectionText(DialogWindow& dialog, int id) {
    const int at = dialog.comboSelection(id);
    return at < 0 ? L"<none>" : dialog.comboItems(id)[static_cast<std::size_t>(at)];
}

}  // namespace

TEST(SetupDialog, EmptyListsShowTheScanHintOnceAfterOpening) {
    SetupRun setup;
    std::wstring hintCaption;
    std::vector<std::wstring> hintText;
    std::wstring caption;
    const INT_PTR result = setup.run({[&](DialogWindow& dialog) { caption = dialog.caption(); },
                                      [&](DialogWindow& hint) {
                                          hintCaption = hint.caption();
                                          hintText = hint.staticTexts();
                                          hint.click(IDOK);
                                      },
                                      [&](DialogWindow& dialog) {
                                          DialogDriver::pumpMessages(400);  // no second hint comes
                                          EXPECT_EQ(DialogDriver::openDialogs().size(), 1u);
                                          dialog.click(IDCANCEL);
                                      }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(caption, L"Quillmont Setup");
    EXPECT_EQ(hintCaption, L"Information");
    EXPECT_EQ(hintText, std::vector<std::wstring>{L"Use SCAN buttons to detect J2SE/J2ME starters."});
}

TEST(SetupDialog, OneStarterOfEitherKindMeansNoHintAndTheFixedEntriesComeFirst) {
    SetupRun setup;
    setup.storeStarter(kJ2me, 4, u"Zed phone");
    setup.storeStarter(kJ2me, 2, u"alpha phone");
    setup.registry.setDword(RegistryRoot::CurrentUser, kJ2me, u"DefaultAction", 4);
    std::vector<std::wstring> j2meList, j2meCombo, j2seCombo;
    std::wstring j2meSelected, j2seSelected;
    bool copyEnabled = true, editEnabled = true, deleteEnabled = true;
    std::size_t dialogsOpen = 0;
    setup.run({[&](DialogWindow& dialog) {
        DialogDriver::pumpMessages(400);
        dialogsOpen = DialogDriver::openDialogs().size();
        j2meList = dialog.listItems(IDC_J2ME_LIST);
        j2meCombo = dialog.comboItems(IDC_J2ME_ACTION);
        j2seCombo = dialog.comboItems(IDC_J2SE_ACTION);
        j2meSelected = comboSelectionText(dialog, IDC_J2ME_ACTION);
        j2seSelected = comboSelectionText(dialog, IDC_J2SE_ACTION);
        copyEnabled = dialog.isEnabled(IDC_J2ME_COPY);
        editEnabled = dialog.isEnabled(IDC_J2ME_EDIT);
        deleteEnabled = dialog.isEnabled(IDC_J2ME_DELETE);
        dialog.pressEscape();
    }});
    EXPECT_EQ(dialogsOpen, 1u);
    EXPECT_EQ(j2meList, (std::vector<std::wstring>{L"alpha phone", L"Zed phone"}));
    EXPECT_EQ(j2meCombo, (std::vector<std::wstring>{L" <Choice once opened>", L" <Last used action>", L"alpha phone",
                                                    L"Zed phone"}));
    EXPECT_EQ(j2seCombo, (std::vector<std::wstring>{L" <Choice once opened>", L" <Last used action>"}));
    EXPECT_EQ(j2meSelected, L"Zed phone");
    EXPECT_EQ(j2seSelected, L" <Choice once opened>");
    EXPECT_FALSE(copyEnabled || editEnabled || deleteEnabled);
}

TEST(SetupDialog, AddCancelledFreesTheSlotAndTheNextAddReusesIt) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 2, u"existing");
    std::wstring editCaption, filledArguments;
    std::vector<std::wstring> listAfterCancel, listAfterAdd;
    setup.run({[&](DialogWindow& setupDialog) { setupDialog.click(IDC_J2SE_ADD); },
               [&](DialogWindow& edit) {
                   editCaption = edit.caption();
                   edit.setText(IDC_STARTER_NAME, L"never kept");
                   edit.click(IDCANCEL);
               },
               [&](DialogWindow& setupDialog) {
                   listAfterCancel = setupDialog.listItems(IDC_J2SE_LIST);
                   setupDialog.click(IDC_J2SE_ADD);
               },
               [&](DialogWindow& edit) {
                   edit.setText(IDC_STARTER_NAME, L"  Java 21  ");
                   edit.setText(IDC_STARTER_EXECUTABLE, L"C:\\jdk21\\bin\\javaw.exe");
                   edit.setText(IDC_STARTER_ARGUMENTS, L"   ");
                   edit.click(IDOK);
                   DialogDriver::stayOnThisDialog();
               },
               [&](DialogWindow& edit) {
                   // A launcher with empty arguments would run nothing: OK filled them in.
                   filledArguments = edit.text(IDC_STARTER_ARGUMENTS);
                   edit.click(IDOK);
               },
               [&](DialogWindow& setupDialog) {
                   listAfterAdd = setupDialog.listItems(IDC_J2SE_LIST);
                   EXPECT_EQ(setupDialog.listSelection(IDC_J2SE_LIST), 1);  // the new starter, sorted after "existing", is selected
                   EXPECT_TRUE(setupDialog.isEnabled(IDC_J2SE_EDIT));
                   setupDialog.click(IDOK);
               }});
    EXPECT_EQ(editCaption, L"J2SE Starter");
    EXPECT_EQ(listAfterCancel, std::vector<std::wstring>{L"existing"});
    EXPECT_EQ(listAfterAdd, (std::vector<std::wstring>{L"existing", L"Java 21"}));
    SettingsStore saved(setup.registry);
    saved.load();
    StarterList& j2se = saved.list(StarterKind::J2SE);
    ASSERT_TRUE(j2se.isOccupied(1));
    EXPECT_EQ(filledArguments, L"-jar %1 %*");
    EXPECT_EQ(j2se.record(1), (StarterRecord{u"Java 21", u"C:\\jdk21\\bin\\javaw.exe", u"-jar %1 %*"}));
}

TEST(SetupDialog, DeletingTheDefaultStarterFallsBackToAsking) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 1, u"A");
    setup.storeStarter(kJ2se, 2, u"B");
    setup.registry.setDword(RegistryRoot::CurrentUser, kJ2se, u"DefaultAction", 2);
    setup.registry.setDword(RegistryRoot::CurrentUser, kJ2se, u"LastAction", 2);
    std::wstring warningCaption, selectedAfter;
    std::vector<std::wstring> warningText, warningButtons;
    setup.run({[&](DialogWindow& dialog) {
                   dialog.selectListItem(IDC_J2SE_LIST, 1);
                   dialog.click(IDC_J2SE_DELETE);
               },
               [&](DialogWindow& warning) {
                   warningCaption = warning.caption();
                   warningText = warning.staticTexts();
                   warningButtons = warning.buttonTexts();
                   warning.click(IDOK);
               },
               [&](DialogWindow& dialog) {
                   selectedAfter = comboSelectionText(dialog, IDC_J2SE_ACTION);
                   EXPECT_FALSE(dialog.isEnabled(IDC_J2SE_DELETE));
                   dialog.click(IDOK);
               }});
    EXPECT_EQ(warningCaption, L"Warning");
    EXPECT_EQ(warningText, std::vector<std::wstring>{L"The JAR starter \"B\" will be deleted."});
    EXPECT_EQ(warningButtons, (std::vector<std::wstring>{L"OK", L"Cancel"}));
    EXPECT_EQ(selectedAfter, L" <Choice once opened>");
    SettingsStore saved(setup.registry);
    saved.load();
    EXPECT_EQ(saved.list(StarterKind::J2SE).defaultAction(), 0);
    EXPECT_EQ(saved.list(StarterKind::J2SE).lastAction(), 0);
    EXPECT_FALSE(saved.list(StarterKind::J2SE).isOccupied(2));
}

TEST(SetupDialog, RenamingTheDefaultKeepsItSelectedAndCancelThrowsEverythingAway) {
    SetupRun setup;
    setup.storeStarter(kJ2me, 1, u"Phone");
    setup.registry.setDword(RegistryRoot::CurrentUser, kJ2me, u"DefaultAction", 1);
    std::wstring selectedAfter;
    std::vector<std::wstring> listAfter;
    const INT_PTR result = setup.run({[&](DialogWindow& dialog) {
                                          dialog.selectListItem(IDC_J2ME_LIST, 0);
                                          dialog.click(IDC_J2ME_EDIT);
                                      },
                                      [&](DialogWindow& edit) {
                                          EXPECT_EQ(edit.caption(), L"J2ME Starter");
                                          edit.setText(IDC_STARTER_NAME, L"Renamed phone");
                                          edit.click(IDOK);
                                      },
                                      [&](DialogWindow& dialog) {
                                          selectedAfter = comboSelectionText(dialog, IDC_J2ME_ACTION);
                                          listAfter = dialog.listItems(IDC_J2ME_LIST);
                                          dialog.closeBox();
                                      }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(selectedAfter, L"Renamed phone");
    EXPECT_EQ(listAfter, std::vector<std::wstring>{L"Renamed phone"});
    EXPECT_EQ(setup.store.list(StarterKind::J2ME).record(1).name, u"Phone");  // reloaded
}

TEST(SetupDialog, CopyGivesASecondStarterOfTheSameName) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 1, u"Java");
    std::vector<std::wstring> listAfter, comboAfter;
    setup.run({[&](DialogWindow& dialog) {
                   dialog.selectListItem(IDC_J2SE_LIST, 0);
                   dialog.click(IDC_J2SE_COPY);
               },
               [&](DialogWindow& edit) {
                   EXPECT_EQ(edit.text(IDC_STARTER_NAME), L"Java");
                   edit.click(IDOK);
               },
               [&](DialogWindow& dialog) {
                   listAfter = dialog.listItems(IDC_J2SE_LIST);
                   comboAfter = dialog.comboItems(IDC_J2SE_ACTION);
                   dialog.click(IDOK);
               }});
    EXPECT_EQ(listAfter, (std::vector<std::wstring>{L"Java", L"Java"}));
    EXPECT_EQ(comboAfter.size(), 4u);
    SettingsStore saved(setup.registry);
    saved.load();
    EXPECT_EQ(saved.list(StarterKind::J2SE).record(2), saved.list(StarterKind::J2SE).record(1));
}

TEST(SetupDialog, ChoosingAnActionIsSavedByOk) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 1, u"Java");
    setup.run({[&](DialogWindow& dialog) {
        dialog.selectComboItem(IDC_J2SE_ACTION, 1);  // " <Last used action>"
        DialogDriver::pumpMessages(100);
        dialog.click(IDOK);
    }});
    SettingsStore saved(setup.registry);
    saved.load();
    EXPECT_EQ(saved.list(StarterKind::J2SE).defaultAction(), -1);
}

TEST(SetupDialog, TheFileAssociationsLinkAsksOverTheDialog) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 1, u"Java");
    HWND setupWindow = nullptr, confirmationOwner = nullptr;
    setup.run({[&](DialogWindow& dialog) {
                   setupWindow = dialog.handle();
                   PostMessageW(dialog.control(IDC_ASSOCIATIONS_LINK), WM_LBUTTONDOWN, MK_LBUTTON, 0);
               },
               [&](DialogWindow& confirmation) {
                   EXPECT_EQ(confirmation.caption(), L"Confirmation");
                   confirmationOwner = confirmation.owner();
                   confirmation.click(IDNO);
               },
               [&](DialogWindow& dialog) { dialog.click(IDCANCEL); }});
    EXPECT_EQ(confirmationOwner, setupWindow);
    EXPECT_EQ(setup.shell.associationNotifications, 0);
}

TEST(SetupDialog, ControlsComeInTheirTabOrderWithTheirTextsAndStyles) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 1, u"Java");
    std::vector<DialogWindow::Control> controls;
    HICON bigIcon = nullptr, smallIcon = nullptr;
    setup.run({[&](DialogWindow& dialog) {
        controls = dialog.controls();
        bigIcon = reinterpret_cast<HICON>(SendMessageW(dialog.handle(), WM_GETICON, ICON_BIG, 0));
        smallIcon = reinterpret_cast<HICON>(SendMessageW(dialog.handle(), WM_GETICON, ICON_SMALL, 0));
        dialog.click(IDCANCEL);
    }});
    struct Expected {
        int id;
        const wchar_t* text;
    };
    const std::vector<Expected> expected = {
        {-1, L"&J2SE Starters"}, {IDC_J2SE_LIST, L""}, {IDC_J2SE_SCAN, L"&Scan"}, {IDC_J2SE_ADD, L"&Add"},
        {IDC_J2SE_COPY, L"&Copy"}, {IDC_J2SE_EDIT, L"&Edit"}, {IDC_J2SE_DELETE, L"De&lete"},
        {-1, L"Action on opening JA&R files"}, {IDC_J2SE_ACTION, nullptr},
        {-1, L"J2&ME Starters"}, {IDC_J2ME_LIST, L""}, {IDC_J2ME_SCAN, L"Sca&n"}, {IDC_J2ME_ADD, L"A&dd"},
        {IDC_J2ME_COPY, L"Co&py"}, {IDC_J2ME_EDIT, L"Ed&it"}, {IDC_J2ME_DELETE, L"Dele&te"},
        {-1, L"Action &on opening JAD/JAR files"}, {IDC_J2ME_ACTION, nullptr},
        {IDC_ABOUT_LINK, L"A&bout..."}, {IDC_UPDATE_LINK, L"Check for &Updates..."},
        {IDC_ASSOCIATIONS_LINK, L"&File Associations..."}, {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i].id != -1) {
            EXPECT_EQ(controls[i].id, expected[i].id) << i;
        }
        if (expected[i].text != nullptr) {
            EXPECT_EQ(controls[i].text, expected[i].text) << i;
        }
    }
    for (int list : {1, 10}) {
        EXPECT_TRUE(controls[list].style & LBS_SORT);
        EXPECT_TRUE(controls[list].style & LBS_NOTIFY);  // (a list box drops WS_VSCROLL while it needs no bar)
    }
    for (int combo : {8, 17}) {
        EXPECT_EQ(controls[combo].style & 3u, static_cast<DWORD>(CBS_DROPDOWNLIST));
        EXPECT_TRUE(controls[combo].style & CBS_SORT);
    }
    EXPECT_EQ(controls[21].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    for (int link : {18, 19, 20}) {
        EXPECT_TRUE(controls[link].style & SS_NOTIFY);
        EXPECT_FALSE(controls[link].style & SS_NOPREFIX);  // each shows its mnemonic
    }
    EXPECT_NE(bigIcon, nullptr);
    EXPECT_NE(smallIcon, nullptr);
}

// Add, then KEmulator's archive, renamed as downloads are, as the program: its
// manifest tells the dialog what it is, which takes the javaw.exe beside the
// J2SE starter's java.exe, and OK stores the starter with its folder.
TEST(SetupDialog, AddingARenamedEmulatorArchiveMakesItsStarterFromTheJ2seStarters) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 1, u"Java 8");
    for (const char16_t* file : {u"C:\\java\\bin\\java.exe", u"C:\\java\\bin\\javaw.exe"})
        setup.ports.files.addFile(file, "MZ");
    setup.ports.files.addFile(u"D:\\Downloads\\KEmulator-1.2.jar", programArchive("emulator.Emulator"));
    setup.ports.files.addFile(u"C:\\java\\release", "JAVA_VERSION=\"1.8.0_392\"\n");
    std::wstring program, arguments, note;
    setup.run({[&](DialogWindow& dialog) { dialog.click(IDC_J2ME_ADD); },
               [&](DialogWindow& edit) {
                   edit.setText(IDC_STARTER_EXECUTABLE, L"D:\\Downloads\\KEmulator-1.2.jar");
                   edit.click(IDOK);
                   DialogDriver::stayOnThisDialog();
               },
               [&](DialogWindow& edit) {
                   program = edit.text(IDC_STARTER_EXECUTABLE);
                   arguments = edit.text(IDC_STARTER_ARGUMENTS);
                   note = edit.text(IDC_STARTER_NOTE);
                   edit.click(IDOK);
               },
               [&](DialogWindow& dialog) { dialog.click(IDOK); }});
    EXPECT_EQ(program, L"C:\\java\\bin\\javaw.exe");
    EXPECT_NE(arguments.find(L"-jar \"D:\\Downloads\\KEmulator-1.2.jar\" -jad %1 -jar %2"), std::wstring::npos);
    EXPECT_EQ(note, L"Java: the J2SE starter \"Java 8\".");
    SettingsStore stored(setup.registry);
    stored.load();
    EXPECT_EQ(stored.list(StarterKind::J2ME).record(1).name, u"KEmulator");
    EXPECT_EQ(stored.list(StarterKind::J2ME).record(1).startFolder, u"D:\\Downloads");
}

// Another setup window saves the J2SE list while this one is open: OK here asks
// before it replaces that list, and No keeps the stored one.
TEST(SetupDialog, OkAsksBeforeReplacingAListAnotherWindowSavedMeanwhile) {
    SetupRun setup;
    setup.storeStarter(kJ2se, 1, u"Java");
    setup.storeStarter(kJ2se, 2, u"Old Java");
    HWND setupWindow = nullptr, questionOwner = nullptr;
    std::wstring caption;
    std::vector<std::wstring> text;
    const INT_PTR result = setup.run({[&](DialogWindow& dialog) {
                                          setupWindow = dialog.handle();
                                          SettingsStore other(setup.registry);
                                          other.load();
                                          other.list(StarterKind::J2SE).removeRecord(2);
                                          other.save();
                                          dialog.selectListItem(IDC_J2SE_LIST, 0);  // "Java"
                                          dialog.click(IDC_J2SE_DELETE);
                                      },
                                      [&](DialogWindow& warning) { warning.click(IDOK); },
                                      [&](DialogWindow& dialog) { dialog.click(IDOK); },
                                      [&](DialogWindow& box) {
                                          caption = box.caption();
                                          text = box.staticTexts();
                                          questionOwner = box.owner();
                                          box.click(IDNO);
                                      }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, L"Confirmation");
    EXPECT_EQ(text, std::vector<std::wstring>{L"Another Quillmont Setup window has saved the J2SE starters since "
                                              L"this one was opened. Replace them with the J2SE starters shown here?"});
    EXPECT_EQ(questionOwner, setupWindow);
    EXPECT_EQ(starterRows(setup.store.list(StarterKind::J2SE)).size(), 1u);  // read again: what is stored
    EXPECT_EQ(setup.store.list(StarterKind::J2SE).record(1).name, u"Java");
}

// Two installations of one Java are named apart only at their ends: the list
// scrolls sideways to the end of its widest name, measured in its own font.
TEST(SetupDialog, TheListsScrollSidewaysToTheirWidestName) {
    SetupRun setup;
    const WideString widest = u"Java 17.0.9 (Eclipse Adoptium) in C:\\Program Files\\Eclipse Adoptium\\jdk-17.0.9.9";
    setup.storeStarter(kJ2se, 1, widest);
    setup.storeStarter(kJ2se, 2, u"Java 17.0.9 (Eclipse Adoptium) in C:\\Users\\tester\\.jdks\\temurin-17");
    SIZE size{};
    RECT room{};
    LONG extent = 0;
    setup.run({[&](DialogWindow& dialog) {
        HWND list = dialog.control(IDC_J2SE_LIST);
        HDC dc = GetDC(list);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc, win32::toWide(widest).c_str(), static_cast<int>(widest.size()), &size);
        ReleaseDC(list, dc);
        GetClientRect(list, &room);
        extent = static_cast<LONG>(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
        dialog.click(IDCANCEL);
    }});
    EXPECT_GT(size.cx, room.right);
    EXPECT_GE(extent, size.cx);
}
