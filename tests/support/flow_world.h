#pragma once

#include "core/launch/launch_context.h"
#include "core/starters/settings_store.h"
#include "fake_dialogs.h"
#include "fake_environment.h"
#include "fake_files.h"
#include "fake_http_client.h"
#include "fake_process_launcher.h"
#include "fake_registry.h"
#include "fake_shell.h"
#include "fake_startup_services.h"
#include "fake_user_interface.h"
#include "fake_version_resources.h"
#include "fake_xml_documents.h"

namespace quillmont::testing {

// Everything an opening flow reaches, faked, with a settings store of its own.
struct FlowWorld {
    FakeStartupServices startup;
    FakeUserInterface ui;
    FakeProcessLauncher processes;
    FakeDialogs dialogs;
    FakeRegistry registry;
    FakeShell shell;
    FakeFiles files;
    FakeVersionResources versions;
    FakeEnvironment environment;
    FakeXmlDocuments xml;
    FakeHttpClient http;
    Platform platform{startup, ui, processes, registry, shell, files, versions, environment, xml, http};
    SettingsStore store{registry};
    int settingsCalls = 0;
    LaunchContext context{platform, dialogs, [this]() -> SettingsStore& {
                              ++settingsCalls;
                              return store;
                          }};

    // Puts a starter into a slot, stores it and makes its program startable.
    void addStarter(StarterKind kind, int slot, const WideString& name, const WideString& arguments) {
        const WideString program = u"C:\\starters\\" + name + u".exe";
        store.list(kind).placeRecord(slot, {name, program, arguments});
        store.save();
        processes.programs.insert(program);
    }
    void setActions(StarterKind kind, std::int32_t defaultAction, std::int32_t lastAction) {
        store.list(kind).setDefaultAction(defaultAction);
        store.list(kind).setLastAction(lastAction);
        store.save();
    }
    // LastAction as the registry holds it (not the list in memory).
    std::int32_t storedLastAction(StarterKind kind) {
        SettingsStore reloaded(registry);
        reloaded.load();
        return reloaded.list(kind).lastAction();
    }
    std::vector<WideString> messageTexts() const {
        std::vector<WideString> texts;
        for (const auto& message : ui.messages) texts.push_back(message.text);
        return texts;
    }
    // Every message was an opening error without owner.
    bool allOpeningErrors() const {
        for (const auto& message : ui.messages)
            if (message.kind != MessageKind::OpeningError || message.owner != kNoWindow) return false;
        return true;
    }
};

}  // namespace quillmont::testing
