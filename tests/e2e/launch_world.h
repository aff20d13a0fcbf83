#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/starters/settings_store.h"
#include "base/bytes.h"
#include "remote_program.h"
#include "win32/platform/win32_registry.h"

namespace quillmont::testing {

// What a message box of Quillmont.exe showed.
struct ShownMessage {
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> buttons;
    std::wstring icon;
    bool owned = true;
};

// Reads the box as a user sees it (its icon off the screen) and presses OK.
ShownMessage readAndConfirm(HWND box, int button = IDOK);
// The box was one of the opening errors: "Quillmont", error icon, OK, no owner.
void expectOpeningError(const ShownMessage& shown, const std::wstring& text);

// The real registry's settings of the program for one test: emptied at the start
// and at the end, so that Quillmont.exe started by the test sees just these
// starters. Every starter is the recording starter.
class StarterSettings {
public:
    StarterSettings();
    ~StarterSettings();
    StarterSettings(const StarterSettings&) = delete;
    StarterSettings& operator=(const StarterSettings&) = delete;

    // A starter whose program is the recording starter, or a program of its own
    // (the recording starter copied elsewhere, the ANSI stand-in).
    void add(StarterKind kind, int slot, const WideString& name, const WideString& arguments,
             const WideString& program = starterProgram());
    // A starter whose program does not exist.
    void addMissing(StarterKind kind, int slot, const WideString& name);
    void setActions(StarterKind kind, std::int32_t defaultAction, std::int32_t lastAction);
    std::int32_t storedLastAction(StarterKind kind);
    static WideString starterProgram();
    // Removes every starter and both actions.
    void clear();

private:
    win32::Win32Registry registry_;
    SettingsStore store_{registry_};
};

// Points the temporary folder of the processes this test starts (TMP and TEMP)
// at a fresh folder, and back again at the end.
class TemporaryFolderOverride {
public:
    TemporaryFolderOverride();
    ~TemporaryFolderOverride();
    TemporaryFolderOverride(const TemporaryFolderOverride&) = delete;
    TemporaryFolderOverride& operator=(const TemporaryFolderOverride&) = delete;
    const std::wstring& folder() const { return folder_; }

private:
    std::wstring folder_;
    std::wstring oldTmp_, oldTemp_;
};

bool writeFileBytes(const std::wstring& path, const Bytes& bytes);
std::optional<Bytes> readFileBytes(const std::wstring& path);
bool setReadOnly(const std::wstring& path, bool readOnly);
// The names of the entries in a folder that start with `prefix`, sorted.
std::vector<std::wstring> folderEntries(const std::wstring& folder, const std::wstring& prefix = L"");

// Quillmont.exe started with `arguments` after its own quoted path.
std::unique_ptr<RemoteProgram> startQuillmont(const std::wstring& arguments);

}  // namespace quillmont::testing
