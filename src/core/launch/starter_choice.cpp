#include "core/launch/starter_choice.h"

#include "core/launch/starter_process.h"
#include "core/launch/starter_process_paths.h"
#include "core/starters/emulator_saves.h"
#include "core/text/message_format.h"

namespace quillmont {

namespace {

bool hasStarter(const StarterList& list) { return list.nextSlot(0) != 0; }

const char16_t* noStartersMessage(StarterKind kind) {
    return kind == StarterKind::J2SE ? u"No J2SE starters are defined." : u"No J2ME starters are defined.";
}

}  // namespace

std::int32_t chooseStarter(LaunchContext& context, StarterKind kind, bool allowDefaultAction) {
    UserInterface& ui = context.platform.ui;
    Dialogs& dialogs = context.dialogs;
    SettingsStore& store = context.settings();
    if (!hasStarter(store.list(kind))) {
        ui.showMessage(kNoWindow, noStartersMessage(kind), MessageKind::OpeningError);
        if (dialogs.runSetupDialog(ui.activeWindow()) != DialogResult::Ok) return 0;
        if (!hasStarter(store.list(kind))) return 0;
    }
    const StarterList& list = store.list(kind);
    std::int32_t slot = list.actionWithoutAsking();
    // An action read from the registry may name a slot that holds no starter;
    // then the user is asked rather than nothing being started.
    if (!allowDefaultAction || !list.isOccupied(slot)) {
        const StarterSelection selection = dialogs.runSelectionDialog(kind, ui.activeWindow());
        if (selection.result != DialogResult::Ok || !store.list(kind).isOccupied(selection.slot)) return 0;
        slot = selection.slot;
    }
    return slot;
}

bool startStarter(LaunchContext& context, StarterKind kind, std::int32_t slot, const std::vector<WideString>& parameters,
                  const WideString& externalArguments) {
    SettingsStore& store = context.settings();
    const StarterRecord starter = store.list(kind).record(slot);
    // What the program is given may differ from what is stored: paths that the
    // ANSI code page cannot hold go by their short forms.
    StarterRecord given = starter;
    std::vector<WideString> paths = parameters;
    if (const std::optional<UnreadablePath> unreadable =
            makePathsReadable(context.platform.files, context.platform.environment, given, paths)) {
        context.platform.ui.showMessage(kNoWindow, unreadablePathText(kind, starter, *unreadable),
                                        MessageKind::OpeningError);
        return false;
    }
    // A folder of the user's own that an emulator keeps its saves in is made on
    // first use, and again should it have been removed.
    createOwnStartFolder(context.platform.files, context.platform.environment, given.startFolder);
    StarterProcess process(given.executableFile, given.arguments, given.startFolder);
    for (const WideString& parameter : paths) process.addQuotedParameter(parameter);
    ProcessLauncher& launcher = context.platform.processes;
    if (!process.start(launcher, externalArguments)) {
        const std::optional<WideString> line = process.buildCommandLine(externalArguments);
        // The system names the program in its reason as an insert ("Bad EXE format for %1.").
        const WideString reason = !line ? WideString(u"The command line would be longer than Windows allows.")
                                        : fillSystemInserts(launcher.failureReason(), starter.executableFile);
        context.platform.ui.showMessage(
            kNoWindow,
            formatValues(u"The starter \"%s\" could not be started.\nProgram: %s%s%s",
                         {starter.name, starter.executableFile,
                          starter.startFolder.empty() ? WideString() : u"\nStart folder: " + starter.startFolder,
                          reason.empty() ? WideString() : u"\n" + reason}),
            MessageKind::OpeningError);
        return false;
    }
    store.storeLastAction(kind, slot);
    return true;
}

}  // namespace quillmont
