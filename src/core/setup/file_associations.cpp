#include "core/setup/file_associations.h"

#include "core/scan/scanner_utilities.h"
#include "core/text/message_format.h"

namespace quillmont {

namespace {

constexpr auto kUser = RegistryRoot::CurrentUser;
constexpr char16_t kClasses[] = u"Software\\Classes\\";
constexpr char16_t kUserChoices[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

struct FileType {
    const char16_t* extension;
    const char16_t* programId;
    const char16_t* description;
};
constexpr FileType kFileTypes[] = {{u".jad", u"Quillmont.jad", u"Java Application Descriptor"},
                                   {u".jar", u"Quillmont.jar", u"Java Archive"}};

void setDefault(Registry& registry, const WideString& key, const WideString& value) {
    if (registry.createKey(kUser, key)) registry.setString(kUser, key, u"", value);
}

// The class the installer creates, made for the running program when neither the
// user nor the machine has it: its name, icon and open command, in the form the
// command line takes ("program" "file" arguments...).
void ensureClass(Registry& registry, const FileType& type, const WideString& program) {
    const WideString key = kClasses + WideString(type.programId);
    const RegistryAccess read = RegistryAccess::readIn(RegistryView::Own);
    if (registry.keyExists(kUser, key, read) || registry.keyExists(RegistryRoot::LocalMachine, key, read)) return;
    setDefault(registry, key, type.description);
    setDefault(registry, key + u"\\DefaultIcon", program + u",0");
    setDefault(registry, key + u"\\shell\\open\\command", u"\"" + program + u"\" \"%1\" %*");
}

// The handler the extension had keeps a place in "Open with".
void keepPreviousHandler(Registry& registry, const FileType& type) {
    const WideString key = kClasses + WideString(type.extension);
    for (const RegistryRoot root : {kUser, RegistryRoot::LocalMachine}) {
        const WideString previous = readRegistryText(registry, root, key, u"");
        if (previous.empty() || previous == type.programId) continue;
        const WideString openWith = key + u"\\OpenWithProgids";
        if (registry.createKey(kUser, openWith)) registry.setString(kUser, openWith, previous, u"");
    }
}

}  // namespace

void associateFileTypes(WindowRef owner, UserInterface& ui, Registry& registry, Shell& shell,
                        const WideString& program) {
    if (ui.showMessage(owner, u"Would you like to associate JAR and JAD files with Quillmont?",
                       MessageKind::Confirmation) != MessageAnswer::Yes)
        return;
    WideString chosen;  // the extensions for which the user chose a program in Windows itself
    for (const FileType& type : kFileTypes) {
        ensureClass(registry, type, program);
        keepPreviousHandler(registry, type);
        setDefault(registry, kClasses + WideString(type.extension), type.programId);
        if (registry.keyExists(kUser, kUserChoices + WideString(type.extension) + u"\\UserChoice",
                               RegistryAccess::readIn(RegistryView::Own)))
            chosen += chosen.empty() ? WideString(type.extension) : u" and " + WideString(type.extension);
    }
    shell.notifyAssociationsChanged();
    if (chosen.empty()) {
        ui.showMessage(owner, u"JAR and JAD files are opened with Quillmont now.", MessageKind::Information);
        return;
    }
    if (ui.showMessage(owner,
                       formatText(u"JAR and JAD files are associated with Quillmont. Windows keeps opening %s files "
                                  u"with the program you chose for them until you choose Quillmont in the Default "
                                  u"apps settings.\nWould you like to open the Default apps settings now?",
                                  chosen),
                       MessageKind::Confirmation) == MessageAnswer::Yes)
        shell.openUrl(u"ms-settings:defaultapps");
}

}  // namespace quillmont
