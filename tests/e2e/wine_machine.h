#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "sdk_layouts.h"

namespace quillmont::testing {

// Java and SDKs installed on the Wine machine as people have them: keys in the
// real registry, in the view an installer of that bitness writes, and programs
// and files on the disk. Everything it writes goes again at the end, the files
// it wrote outside its own folder (the user's profile, the drive's root) too.
class WineMachine {
public:
    WineMachine();
    ~WineMachine();
    WineMachine(const WineMachine&) = delete;
    WineMachine& operator=(const WineMachine&) = delete;

    // A string value below HKEY_LOCAL_MACHINE (or another root) in one view
    // (KEY_WOW64_64KEY or KEY_WOW64_32KEY).
    void setValue(REGSAM view, const std::wstring& key, const std::wstring& name, const std::wstring& value,
                  HKEY root = HKEY_LOCAL_MACHINE);
    // A folder below the machine's scratch folder holding copies of `program`
    // under each of `launchers` (relative paths such as "bin\\javaw.exe"); with
    // `bits32` the copies say in their PE header that they are 32-bit programs.
    std::wstring install(const std::wstring& folder, const std::wstring& program,
                         const std::vector<std::wstring>& launchers, bool bits32 = false);
    // The same with launchers that are only the start of a PE header: enough for
    // a scan, which never starts them.
    std::wstring installStubs(const std::wstring& folder, const std::vector<std::wstring>& launchers);
    // A folder that does not exist.
    std::wstring gone(const std::wstring& folder) const { return root_ + L"\\" + folder; }
    // The machine's own scratch folder.
    const std::wstring& folder() const { return root_; }
    // Writes a laid-out machine: its values, folders and files.
    void apply(const MachineLayout& layout);

private:
    std::wstring root_;
    struct Written {
        HKEY root;
        REGSAM view;
        std::wstring key;
    };
    std::vector<Written> written_;
    std::vector<std::wstring> files_;    // written outside the scratch folder
    std::vector<std::wstring> folders_;  // created there, deepest last
    void makeFolders(const std::wstring& folder);
};

}  // namespace quillmont::testing
