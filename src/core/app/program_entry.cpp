#include "core/app/program_entry.h"

#include <algorithm>

#include "core/launch/file_choice.h"
#include "core/text/ascii_case.h"

namespace quillmont {

namespace {
constexpr char16_t kQuote = u'"';

int exitCode(bool success) { return success ? 0 : 1; }

int serveRequest(const WideString& argumentText, LaunchContext& context, const OpeningFlows& flows) {
    TokenList tokens;
    if (!tokenizeCommandLine(argumentText, tokens)) {
        context.platform.ui.showMessage(kNoWindow, u"Command line parameter error.", MessageKind::OpeningError);
        return 1;
    }
    const CommandLineIntent intent = interpretTokens(tokens);
    tokens.clear();  // the request holds copies of what it needs
    if (std::holds_alternative<OpenSetupDialog>(intent)) {
        context.dialogs.runSetupDialog(kNoWindow);
        return 0;
    }
    std::optional<LaunchRequest> request;
    if (std::holds_alternative<ChooseFileToOpen>(intent)) {
        request = askForFileToOpen(context.platform.ui);
        if (!request) return 1;
    } else {
        request = std::get<LaunchRequest>(intent);
    }
    return exitCode(openFile(*request, context, flows));
}
}  // namespace

CommandLineIntent interpretTokens(const TokenList& tokens) {
    if (tokens.empty()) return ChooseFileToOpen{};
    if (tokens.size() == 1) {
        if (tokens[0] == u"/setup") return OpenSetupDialog{};
        return LaunchRequest{tokens[0], true, {}};
    }
    if (tokens[0] == u"/select") return LaunchRequest{tokens[1], false, joinTokens(tokens, 2)};
    return LaunchRequest{tokens[0], true, joinTokens(tokens, 1)};
}

std::optional<LaunchRequest> askForFileToOpen(UserInterface& ui) {
    FileOpenRequest dialog;
    dialog.owner = kNoWindow;
    dialog.title = u"Select a JAR or JAD File";
    dialog.filters = {{u"JAR and JAD Files (*.jar;*.jad)", u"*.jar;*.jad"}, {u"All Files", u"*.*"}};
    dialog.bufferSize = 8192;
    const std::optional<WideString> chosen = chooseFile(ui, dialog);
    if (!chosen) return std::nullopt;
    return LaunchRequest{*chosen, false, {}};
}

bool openFile(const LaunchRequest& request, LaunchContext& context, const OpeningFlows& flows) {
    LaunchRequest opened = request;
    WideString& path = opened.filePath;
    if (!path.empty() && path.front() == kQuote) {
        if (path.size() < 3 || path.back() != kQuote) {
            context.platform.ui.showMessage(kNoWindow, u"File name error.", MessageKind::OpeningError);
            return false;
        }
        path = path.substr(1, path.size() - 2);
    }
    // Windows takes a forward slash wherever it takes a backslash: the flows, which
    // find an archive or a descriptor beside the file, see one kind of separator.
    // (A lone leading one, as in "/select" given alone, is left as the user wrote it.)
    if (path.find(u'/', 1) != WideString::npos) std::replace(path.begin(), path.end(), u'/', u'\\');
    return (endsWithIgnoringAsciiCase(path, u".jad") ? flows.jad : flows.jar)(context, opened);
}

int runProgram(const WideString& argumentText, LaunchContext& context, const OpeningFlows& flows) {
    StartupServices& startup = context.platform.startup;
    startup.initializeCom();
    startup.createInstanceMutex(kInstanceMutexName);
    startup.initializeCommonControls();

    const int code = serveRequest(argumentText, context, flows);

    startup.uninitializeCom();
    startup.closeInstanceMutex();
    return code;
}

}  // namespace quillmont
