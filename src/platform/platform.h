#pragma once

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/http_client.h"
#include "platform/process_launcher.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/startup_services.h"
#include "platform/user_interface.h"
#include "platform/version_resources.h"
#include "platform/xml_documents.h"

namespace quillmont {

// The ports through which the portable code reaches the operating system. The
// program's entry builds the real ones once and owns them for the run; the
// native tests build fakes. Everything else receives what it uses from here.
struct Platform {
    StartupServices& startup;
    UserInterface& ui;
    ProcessLauncher& processes;
    Registry& registry;
    Shell& shell;
    Files& files;
    VersionResources& versions;
    Environment& environment;
    XmlDocuments& xml;
    HttpClient& http;
};

}  // namespace quillmont
