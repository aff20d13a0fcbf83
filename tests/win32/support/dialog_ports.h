#pragma once

#include "fake_environment.h"
#include "fake_files.h"
#include "fake_http_client.h"
#include "fake_process_launcher.h"
#include "fake_registry.h"
#include "fake_shell.h"
#include "fake_startup_services.h"
#include "fake_version_resources.h"
#include "fake_xml_documents.h"
#include "platform/platform.h"
#include "win32/ui/update_check_dialog.h"
#include "win32/ui/win32_scan_dialogs.h"
#include "win32/ui/win32_user_interface.h"

namespace quillmont::testing {

// What the setup and selection dialogs are given in a dialog test: the real
// message boxes and scan windows, every other port faked.
struct DialogPorts {
    FakeStartupServices startup;
    win32::Win32UserInterface ui;
    FakeProcessLauncher processes;
    FakeRegistry registry;
    FakeShell shell;
    FakeFiles files;
    FakeVersionResources versions;
    FakeEnvironment environment;
    FakeXmlDocuments xml;
    FakeHttpClient http;
    Platform platform{startup, ui, processes, registry, shell, files, versions, environment, xml, http};
    win32::Win32ScanDialogs scanDialogs;
    win32::Win32UpdateDialogs updateDialogs;
};

}  // namespace quillmont::testing
