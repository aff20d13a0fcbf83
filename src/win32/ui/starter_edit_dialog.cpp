#include "win32/ui/starter_edit_dialog.h"

#include <algorithm>

#include "core/setup/starter_edit_model.h"
#include "core/starters/emulator_presets.h"
#include "core/text/trim.h"
#include "win32/res/resource_ids.h"
#include "win32/ui/dialog_centring.h"
#include "win32/ui/modal_dialog.h"
#include "win32/ui/dialog_text.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

INT_PTR StarterEditDialog::run(HWND owner) {
    return runModalDialog(kind_ == StarterKind::J2SE ? IDD_J2SE_STARTER : IDD_J2ME_STARTER, owner, *this);
}

INT_PTR StarterEditDialog::handleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        dialog_ = dialog;
        initialize();
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_STARTER_EXECUTABLE) {
        // A typed archive is looked at when the user leaves the field.
        if (HIWORD(wParam) == EN_CHANGE) programTyped_ = true;
        if (HIWORD(wParam) == EN_KILLFOCUS && programTyped_) fillForProgram();
        return FALSE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) return command(LOWORD(wParam));
    return FALSE;
}

void StarterEditDialog::initialize() {
    centreDialog(dialog_);
    SendDlgItemMessageW(dialog_, IDC_STARTER_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SendDlgItemMessageW(dialog_, IDC_STARTER_EXECUTABLE, EM_LIMITTEXT, kExecutableFileLimit, 0);
    SendDlgItemMessageW(dialog_, IDC_STARTER_ARGUMENTS, EM_LIMITTEXT, kArgumentsLimit, 0);
    setControlText(dialog_, IDC_STARTER_NAME, record_.name);
    setControlText(dialog_, IDC_STARTER_EXECUTABLE, record_.executableFile);
    setControlText(dialog_, IDC_STARTER_ARGUMENTS, record_.arguments);
    if (kind_ == StarterKind::J2ME) {
        SendDlgItemMessageW(dialog_, IDC_STARTER_FOLDER, EM_LIMITTEXT, kStartFolderLimit, 0);
        setControlText(dialog_, IDC_STARTER_FOLDER, record_.startFolder);
    }
    programTyped_ = false;
    filled_.reset();
}

bool StarterEditDialog::command(int id) {
    switch (id) {
        case IDC_STARTER_BROWSE: browse(); return true;
        case IDC_STARTER_SNIPPETS: offerSnippets(); return true;
        case IDOK: confirm(); return true;
        case IDCANCEL: EndDialog(dialog_, IDCANCEL); return true;
        default: return false;
    }
}

void StarterEditDialog::browse() {
    FileOpenRequest request;
    request.owner = toWindowRef(dialog_);
    request.title = u"Select an Executable File";
    // An emulator's archive goes by many names once downloaded: every .jar is
    // offered, and its manifest tells.
    if (kind_ == StarterKind::J2ME)
        request.filters = {{u"Executable Files and Emulators", u"*.exe;*.com;*.bat;*.jar"},
                           {u"Emulators (*.jar)", u"*.jar"},
                           {u"All Files", u"*.*"}};
    else
        request.filters = {{u"Executable Files (*.exe;*.com;*.bat)", u"*.exe;*.com;*.bat"}, {u"All Files", u"*.*"}};
    request.bufferSize = 1024;
    // A name too long for the dialog's buffer starts the dialog without one.
    const WideString current = trimmed(controlText(dialog_, IDC_STARTER_EXECUTABLE));
    if (current.size() < static_cast<std::size_t>(request.bufferSize)) request.initialFile = current;
    if (std::optional<WideString> chosen = ui_.chooseFileToOpen(request)) {
        const WideString before = controlText(dialog_, IDC_STARTER_EXECUTABLE);
        setControlText(dialog_, IDC_STARTER_EXECUTABLE, *chosen);
        fillJavaArguments();
        const EmulatorOutcome outcome = fillForEmulatorArchive();
        // An emulator that cannot be run leaves every field as it was.
        if (outcome == EmulatorOutcome::Refused) setControlText(dialog_, IDC_STARTER_EXECUTABLE, before);
        if (outcome == EmulatorOutcome::NotAnEmulator) takeBackFill();
        programTyped_ = false;
    }
}

bool StarterEditDialog::fillForProgram() {
    if (kind_ == StarterKind::J2SE) return fillJavaArguments();
    const EmulatorOutcome outcome = fillForEmulatorArchive();
    return outcome != EmulatorOutcome::NotAnEmulator || takeBackFill();
}

bool StarterEditDialog::fillJavaArguments() {
    programTyped_ = false;
    const std::optional<WideString> arguments = argumentsForJavaLauncher(
        kind_, controlText(dialog_, IDC_STARTER_EXECUTABLE), controlText(dialog_, IDC_STARTER_ARGUMENTS));
    if (!arguments) return false;
    setControlText(dialog_, IDC_STARTER_ARGUMENTS, *arguments);
    return true;
}

StarterRecord StarterEditDialog::fields() const {
    return {controlText(dialog_, IDC_STARTER_NAME), controlText(dialog_, IDC_STARTER_EXECUTABLE),
            controlText(dialog_, IDC_STARTER_ARGUMENTS), controlText(dialog_, IDC_STARTER_FOLDER)};
}

StarterEditDialog::EmulatorOutcome StarterEditDialog::fillForEmulatorArchive() {
    programTyped_ = false;
    if (kind_ != StarterKind::J2ME || !filler_) return EmulatorOutcome::NotAnEmulator;
    const StarterRecord typed = fields();
    const EmulatorFill fill = filler_(typed.executableFile, typed);
    if (!fill.error.empty()) {
        ui_.showMessage(toWindowRef(dialog_), fill.error, MessageKind::Information);
        return EmulatorOutcome::Refused;
    }
    if (!fill.record) return EmulatorOutcome::NotAnEmulator;
    setControlText(dialog_, IDC_STARTER_NAME, fill.record->name);
    setControlText(dialog_, IDC_STARTER_EXECUTABLE, fill.record->executableFile);
    setControlText(dialog_, IDC_STARTER_ARGUMENTS, fill.record->arguments);
    setControlText(dialog_, IDC_STARTER_FOLDER, fill.record->startFolder);
    setControlText(dialog_, IDC_STARTER_NOTE, fill.note);
    filled_ = fill.record;
    programTyped_ = false;  // the program field was just set, not typed
    return EmulatorOutcome::Filled;
}

bool StarterEditDialog::takeBackFill() {
    if (!filled_) return false;
    const StarterRecord before = fields();
    const ProgramChange change = afterProgramChange(*filled_, before);
    if (change.clearNote) setControlText(dialog_, IDC_STARTER_NOTE, u"");
    setControlText(dialog_, IDC_STARTER_ARGUMENTS, change.fields.arguments);
    setControlText(dialog_, IDC_STARTER_FOLDER, change.fields.startFolder);
    if (change.forgetFill) filled_.reset();
    programTyped_ = false;
    return change.fields != before;
}

void StarterEditDialog::offerSnippets() {
    const StarterEditVariant& variant = starterEditVariant(kind_);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, toWide(variant.snippets[0]).c_str());
    AppendMenuW(menu, MF_STRING, 2, toWide(variant.snippets[1]).c_str());
    RECT button;
    GetWindowRect(GetDlgItem(dialog_, IDC_STARTER_SNIPPETS), &button);
    POINT at{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    if (MonitorFromPoint(at, MONITOR_DEFAULTTONULL) == nullptr) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
        at.x = std::max(monitor.rcWork.left, std::min(at.x, monitor.rcWork.right - 1));
    }
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, at.x, at.y, 0, dialog_, nullptr));
    DestroyMenu(menu);
    if (chosen != 1 && chosen != 2) return;
    // Appended at the very end, whatever was selected and wherever the caret stood.
    HWND arguments = GetDlgItem(dialog_, IDC_STARTER_ARGUMENTS);
    const int end = GetWindowTextLengthW(arguments);
    SendMessageW(arguments, EM_SETSEL, end, end);
    SendMessageW(arguments, EM_SCROLLCARET, 0, 0);
    SendMessageW(arguments, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(toWide(variant.snippets[chosen - 1]).c_str()));
}

void StarterEditDialog::confirm() {
    // A program typed and confirmed with Enter fills the fields first, for the
    // user to see before the next OK.
    if (programTyped_ && fillForProgram()) return;
    const StarterEditOutcome outcome = checkStarterFields(
        controlText(dialog_, IDC_STARTER_NAME), controlText(dialog_, IDC_STARTER_EXECUTABLE),
        controlText(dialog_, IDC_STARTER_ARGUMENTS),
        kind_ == StarterKind::J2ME ? controlText(dialog_, IDC_STARTER_FOLDER) : record_.startFolder);
    if (!outcome.record) {
        ui_.showMessage(toWindowRef(dialog_), outcome.error, MessageKind::ValidationError);
        return;
    }
    const WideString warning = argumentsWarning(kind_, *outcome.record);
    if (!warning.empty() && ui_.showMessage(toWindowRef(dialog_), warning, MessageKind::Warning) != MessageAnswer::Ok)
        return;
    record_ = *outcome.record;
    EndDialog(dialog_, IDOK);
}

}  // namespace quillmont::win32
