// Shows one of the program's dialogs on its own, for screenshots:
//   dialog_gallery.exe about | j2se-starter | j2me-starter
// The setup dialog is shown by Quillmont.exe /setup itself.
#include <windows.h>

#include <string>

#include "fake_shell.h"
#include "win32/ui/about_dialog.h"
#include "win32/ui/dialog_framework.h"
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
    }
    return 0;
}
