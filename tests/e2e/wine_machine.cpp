#include "wine_machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "launch_world.h"
#include "pe_header.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"

namespace quillmont::testing {

namespace {

// Deletes the key and then its parents while they are empty, up to SOFTWARE.
void removeKey(HKEY root, REGSAM view, std::wstring key) {
    while (key.find(L'\\') != std::wstring::npos) {
        if (RegDeleteKeyExW(root, key.c_str(), view, 0) != ERROR_SUCCESS) return;
        key = key.substr(0, key.rfind(L'\\'));
    }
}

// Creates the folders of a path below the root, which exists.
void makeParents(const std::wstring& root, const std::wstring& path) {
    for (std::size_t at = root.size() + 1; (at = path.find(L'\\', at)) != std::wstring::npos; ++at)
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

}  // namespace

WineMachine::WineMachine() : root_(makeTemporaryFolder(L"java machine")) {}

WineMachine::~WineMachine() {
    for (auto it = written_.rbegin(); it != written_.rend(); ++it) removeKey(it->root, it->view, it->key);
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryW(it->c_str());
}

// Creates the folder and its missing parents, remembering what it created
// outside the scratch folder.
void WineMachine::makeFolders(const std::wstring& folder) {
    for (std::size_t at = 3; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != L'\\') continue;
        const std::wstring part = folder.substr(0, at);
        if (GetFileAttributesW(part.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (CreateDirectoryW(part.c_str(), nullptr) && part.rfind(root_, 0) != 0) folders_.push_back(part);
    }
}

void WineMachine::apply(const MachineLayout& layout) {
    for (const MachineLayout::Value& v : layout.values)
        setValue(v.view == RegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY, win32::toWide(v.key),
                 win32::toWide(v.name), win32::toWide(v.value),
                 v.root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
    for (const std::u16string& folder : layout.folders) makeFolders(win32::toWide(folder));
    for (const MachineLayout::File& file : layout.files) {
        const std::wstring path = win32::toWide(file.path);
        makeFolders(path.substr(0, path.rfind(L'\\')));
        if (!writeFileBytes(path, Bytes(file.text.begin(), file.text.end()))) ADD_FAILURE() << "could not write a file";
        if (path.rfind(root_, 0) != 0) files_.push_back(path);
    }
}

void WineMachine::setValue(REGSAM view, const std::wstring& key, const std::wstring& name, const std::wstring& value,
                           HKEY root) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "could not create a key";
        return;
    }
    written_.push_back({root, view, key});
    if (RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        ADD_FAILURE() << "could not write a value";
    RegCloseKey(opened);
}

std::wstring WineMachine::install(const std::wstring& folder, const std::wstring& program,
                                  const std::vector<std::wstring>& launchers, bool bits32) {
    const std::wstring home = root_ + L"\\" + folder;
    for (const std::wstring& launcher : launchers) {
        const std::wstring path = home + L"\\" + launcher;
        makeParents(root_, path);
        std::optional<Bytes> bytes = readFileBytes(program);
        if (!bytes || bytes->size() < 0x40) {
            ADD_FAILURE() << "no program to copy";
            continue;
        }
        if (bits32) {
            // The machine word after "PE\0\0": i386. Nothing starts these copies.
            const std::size_t header = (*bytes)[0x3C] | ((*bytes)[0x3D] << 8);
            (*bytes)[header + 4] = 0x4C;
            (*bytes)[header + 5] = 0x01;
        }
        if (!writeFileBytes(path, *bytes)) ADD_FAILURE() << "could not write a launcher";
    }
    return home;
}

std::wstring WineMachine::installStubs(const std::wstring& folder, const std::vector<std::wstring>& launchers) {
    const std::wstring home = root_ + L"\\" + folder;
    const Bytes stub = peHeader(0x8664);  // x64
    for (const std::wstring& launcher : launchers) {
        const std::wstring path = home + L"\\" + launcher;
        makeParents(root_, path);
        if (!writeFileBytes(path, stub)) ADD_FAILURE() << "could not write a launcher";
    }
    return home;
}

}  // namespace quillmont::testing
