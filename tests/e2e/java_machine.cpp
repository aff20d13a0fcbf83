#include "java_machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "launch_world.h"
#include "pe_header.h"
#include "test_files.h"

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

JavaMachine::JavaMachine() : root_(makeTemporaryFolder(L"java machine")) {}

JavaMachine::~JavaMachine() {
    for (auto it = written_.rbegin(); it != written_.rend(); ++it) removeKey(it->root, it->view, it->key);
}

void JavaMachine::setValue(REGSAM view, const std::wstring& key, const std::wstring& name, const std::wstring& value,
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

std::wstring JavaMachine::install(const std::wstring& folder, const std::wstring& program,
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

std::wstring JavaMachine::installStubs(const std::wstring& folder, const std::vector<std::wstring>& launchers) {
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
