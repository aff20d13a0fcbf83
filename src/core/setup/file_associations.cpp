#include "core/setup/file_associations.h"

namespace quillmont {

namespace {
void pointExtensionAt(Registry& registry, const char16_t* extensionKey, const char16_t* programId) {
    if (registry.createKey(RegistryRoot::CurrentUser, extensionKey))
        registry.setString(RegistryRoot::CurrentUser, extensionKey, u"", programId);
}
}  // namespace

void associateFileTypes(WindowRef owner, UserInterface& ui, Registry& registry, Shell& shell) {
    if (ui.showMessage(owner, u"Would you like to associate JAR and JAD files with Quillmont?",
                       MessageKind::Confirmation) != MessageAnswer::Yes)
        return;
    pointExtensionAt(registry, u"Software\\Classes\\.jad", u"Quillmont.jad");
    pointExtensionAt(registry, u"Software\\Classes\\.jar", u"Quillmont.jar");
    shell.notifyAssociationsChanged();
}

}  // namespace quillmont
