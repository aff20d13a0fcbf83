#include "launch_world.h"


#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_window.h"
#include "icon_capture.h"
#include "quillmont_program.h"
#include "test_files.h"
#include "win32/platform/unique_handle.h"
#include "win32/platform/wide_text.h"

namespace quillmont::testing {

ShownMessage readAndConfirm(HWND box, int button) {
    DialogWindow window(box);
    Sleep(300);  // let the box finish painting before its icon is read off the screen
    ShownMessage shown{window.caption(), window.staticTexts(), window.buttonTexts(),
                       classifyScreenIcon(window.iconRect()), window.owner() != nullptr};
    window.click(button);
    return shown;
}

void expectOpeningError(const ShownMessage& shown, const std::wstring& text) {
    EXPECT_EQ(shown.caption, L"Quillmont");
    EXPECT_EQ(shown.texts, std::vector<std::wstring>{text});
    EXPECT_EQ(shown.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(shown.icon, L"error");
    EXPECT_FALSE(shown.owned);
}

StarterSettings::StarterSettings() { clear(); }
StarterSettings::~StarterSettings() { clear(); }

void StarterSettings::clear() {
    registry_.deleteTree(RegistryRoot::CurrentUser, SettingsStore::kSettingsKey);
    store_.load();
}

WideString StarterSettings::starterProgram() { return win32::fromWide(CommandLineRecorder::starterWithSpaces()); }

void StarterSettings::add(StarterKind kind, int slot, const WideString& name, const WideString& arguments,
                          const WideString& program) {
    store_.list(kind).placeRecord(slot, {name, program, arguments});
    store_.save();
}

void StarterSettings::addMissing(StarterKind kind, int slot, const WideString& name) {
    store_.list(kind).placeRecord(slot, {name, starterProgram() + u".gone.exe", u"%1"});
    store_.save();
}

void StarterSettings::setActions(StarterKind kind, std::int32_t defaultAction, std::int32_t lastAction) {
    store_.list(kind).setDefaultAction(defaultAction);
    store_.list(kind).setLastAction(lastAction);
    store_.save();
}

std::int32_t StarterSettings::storedLastAction(StarterKind kind) {
    SettingsStore reloaded(registry_);
    reloaded.load();
    return reloaded.list(kind).lastAction();
}

namespace {

std::wstring environment(const wchar_t* name) {
    std::vector<wchar_t> value(32768);
    const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    return std::wstring(value.data(), length);
}

}  // namespace

TemporaryFolderOverride::TemporaryFolderOverride()
    : folder_(makeTemporaryFolder(L"temp")), oldTmp_(environment(L"TMP")), oldTemp_(environment(L"TEMP")) {
    SetEnvironmentVariableW(L"TMP", folder_.c_str());
    SetEnvironmentVariableW(L"TEMP", folder_.c_str());
}

TemporaryFolderOverride::~TemporaryFolderOverride() {
    SetEnvironmentVariableW(L"TMP", oldTmp_.empty() ? nullptr : oldTmp_.c_str());
    SetEnvironmentVariableW(L"TEMP", oldTemp_.empty() ? nullptr : oldTemp_.c_str());
}

bool writeFileBytes(const std::wstring& path, const Bytes& bytes) {
    win32::UniqueHandle out(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid()) return false;
    DWORD written = 0;
    return WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::optional<Bytes> readFileBytes(const std::wstring& path) {
    win32::UniqueHandle in(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!in.valid()) return std::nullopt;
    Bytes bytes(GetFileSize(in.get(), nullptr));
    DWORD read = 0;
    if (!ReadFile(in.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        return std::nullopt;
    return bytes;
}

bool setReadOnly(const std::wstring& path, bool readOnly) {
    return SetFileAttributesW(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

std::vector<std::wstring> folderEntries(const std::wstring& folder, const std::wstring& prefix) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." && name.starts_with(prefix)) names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<RemoteProgram> startQuillmont(const std::wstring& arguments) {
    auto program = std::make_unique<RemoteProgram>(quillmontCommandLine(arguments));
    EXPECT_TRUE(program->valid()) << "CreateProcessW failed with error " << program->startError();
    return program;
}

}  // namespace quillmont::testing
