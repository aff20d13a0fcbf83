#pragma once

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process_launcher.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/startup_services.h"
#include "platform/user_interface.h"

namespace quillmont {

// The ports through which the portable code reaches the operating system. One
// instance lives for the run; the Win32 layer fills it with real implementations,
// the native tests with fakes. Further ports (XML
// documents, HTTP, version resources) join as members here.
struct Platform {
    StartupServices& startup;
    UserInterface& ui;
    ProcessLauncher& processes;
    Dialogs& dialogs;
    Registry& registry;
    Shell& shell;
    Files& files;
};

}  // namespace quillmont
