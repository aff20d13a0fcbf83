#include "win32/ui/win32_user_interface.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "platform/message_style.h"
#include "win32/platform/wide_text.h"
#include "win32/ui/window_ref.h"

namespace quillmont::win32 {

namespace {

UINT iconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return MB_ICONERROR;
        case MessageIcon::Warning: return MB_ICONWARNING;
        case MessageIcon::Question: return MB_ICONQUESTION;
        case MessageIcon::Information: return MB_ICONINFORMATION;
        case MessageIcon::None: break;
    }
    return 0;
}

UINT buttonFlag(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel: return MB_OKCANCEL;
        case MessageButtons::YesNo: return MB_YESNO;
        case MessageButtons::YesNoCancel: return MB_YESNOCANCEL;
        case MessageButtons::Ok: break;
    }
    return MB_OK;
}

MessageAnswer toAnswer(int pressed) {
    switch (pressed) {
        case IDOK: return MessageAnswer::Ok;
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        default: return MessageAnswer::Cancel;
    }
}

// "label\0pattern\0...\0\0", the form the common dialogs take filters in.
std::wstring filterList(const std::vector<FileFilter>& filters) {
    std::wstring list;
    for (const FileFilter& filter : filters) {
        list += toWide(filter.label);
        list.push_back(L'\0');
        list += toWide(filter.pattern);
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

}  // namespace

MessageAnswer Win32UserInterface::showMessage(WindowRef owner, const WideString& text, MessageKind kind) {
    const MessageStyle style = messageStyle(kind);
    const std::wstring title = toWide(ascii(style.title));
    const int pressed = MessageBoxW(toHwnd(owner), toWide(text).c_str(), title.c_str(),
                                    iconFlag(style.icon) | buttonFlag(style.buttons));
    return toAnswer(pressed);
}

FileChoice Win32UserInterface::showFileOpenDialog(const FileOpenRequest& request) {
    const std::size_t size = request.bufferSize > 1 ? static_cast<std::size_t>(request.bufferSize) : MAX_PATH;
    std::vector<wchar_t> file(size, L'\0');
    const std::wstring initial = toWide(request.initialFile);
    if (initial.size() < size) std::copy(initial.begin(), initial.end(), file.begin());

    const std::wstring filters = filterList(request.filters);
    const std::wstring title = toWide(request.title);
    const std::wstring folder = toWide(request.initialFolder);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = toHwnd(request.owner);
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(size);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_EXPLORER;
    // FALSE is a cancel only when the dialog reports no error of its own.
    if (!GetOpenFileNameW(&dialog)) return FileChoice{std::nullopt, CommDlgExtendedError()};
    return FileChoice{fromWide(file.data()), 0};
}

WindowRef Win32UserInterface::activeWindow() { return toWindowRef(GetActiveWindow()); }

}  // namespace quillmont::win32
