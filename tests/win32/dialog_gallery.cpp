// Shows one of the program's dialogs on its own, for screenshots:
//   dialog_gallery.exe about | j2se-starter | j2me-starter | j2se-select | j2me-select | jad-size
// The setup dialog is shown by Quillmont.exe /setup itself.
#include <windows.h>

#include <string>

#include "core/starters/settings_store.h"
#include "fake_registry.h"
#include "fake_shell.h"
#include "win32/ui/about_dialog.h"
#include "win32/ui/dialog_framework.h"
#include "win32/ui/jad_size_dialog.h"
#include "win32/ui/selection_dialog.h"
#include "win32/ui/starter_edit_dialog.h"
#include "win32/ui/win32_user_interface.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    using namespace quillmont;
    win32::initializeDialogFramework(instance);
    const std::wstring which = arguments;
    win32::Win32UserInterface ui;
    if (which == L"about") {
        testing::FakeShell shell;
        win32::AboutDialog(shell).run(nullptr);
    } else if (which == L"j2se-starter" || which == L"j2me-starter") {
        StarterRecord record = which == L"j2se-starter"
                                   ? StarterRecord{u"Java 17", u"C:\\Program Files\\Java\\jdk-17\\bin\\javaw.exe",
                                                   u"-jar %1 %*"}
                                   : StarterRecord{u"Wireless Toolkit 2.5", u"C:\\WTK25\\bin\\emulator.exe",
                                                   u"-Xdescriptor:%1 -Xdevice:DefaultColorPhone"};
        win32::StarterEditDialog(record, which == L"j2se-starter" ? StarterKind::J2SE : StarterKind::J2ME, ui)
            .run(nullptr);
    } else if (which == L"j2se-select" || which == L"j2me-select") {
        const StarterKind kind = which == L"j2se-select" ? StarterKind::J2SE : StarterKind::J2ME;
        testing::FakeRegistry registry;
        testing::FakeShell shell;
        SettingsStore store(registry);
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
        win32::SelectionDialog(kind, store, ui, registry, shell).run(nullptr);
    } else if (which == L"jad-size") {
        win32::JadSizeDialog(93739, 79158).run(nullptr);
    }
    return 0;
}
