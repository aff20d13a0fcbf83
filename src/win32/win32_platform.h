#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "win32/platform/msxml_documents.h"
#include "win32/platform/win32_environment.h"
#include "win32/platform/win32_files.h"
#include "win32/platform/win32_process_launcher.h"
#include "win32/platform/win32_registry.h"
#include "win32/platform/win32_shell.h"
#include "win32/platform/win32_startup_services.h"
#include "win32/platform/win32_version_resources.h"
#include "win32/platform/wininet_http_client.h"
#include "win32/ui/win32_scan_dialogs.h"
#include "win32/ui/update_check_dialog.h"
#include "win32/ui/win32_user_interface.h"

namespace quillmont::win32 {

// Every real port, built once by the program's entry and owned for the run, and
// the scan's and the update check's windows, which the dialogs hand on.
class Win32Platform {
public:
    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform& ports() { return ports_; }
    ScanDialogs& scanDialogs() { return scanDialogs_; }
    Win32UpdateDialogs& updateDialogs() { return updateDialogs_; }

private:
    Win32StartupServices startup_;
    Win32UserInterface ui_;
    Win32ProcessLauncher processes_;
    Win32Registry registry_;
    Win32Shell shell_;
    Win32Files files_;
    Win32VersionResources versions_;
    Win32Environment environment_;
    MsxmlDocuments xml_;
    WininetHttpClient http_;
    Platform ports_{startup_, ui_, processes_, registry_, shell_, files_, versions_, environment_, xml_, http_};
    Win32ScanDialogs scanDialogs_;
    Win32UpdateDialogs updateDialogs_;
};

}  // namespace quillmont::win32
