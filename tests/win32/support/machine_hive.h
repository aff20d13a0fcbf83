#pragma once

#include <windows.h>

#include <string>

namespace quillmont::testing {

// Points HKEY_LOCAL_MACHINE of this process at a fresh, empty scratch key for the
// life of the object: a machine with nothing installed, whatever the prefix
// holds, on which a test registers just what it needs.
class ScratchMachineHive {
public:
    ScratchMachineHive();
    ~ScratchMachineHive();
    ScratchMachineHive(const ScratchMachineHive&) = delete;
    ScratchMachineHive& operator=(const ScratchMachineHive&) = delete;

    bool valid() const { return hive_ != nullptr; }
    // Creates the key below HKEY_LOCAL_MACHINE, with its parents, and a string value in it.
    bool setString(const std::wstring& path, const std::wstring& name, const std::wstring& value);

private:
    HKEY parent_ = nullptr;  // the real key the scratch key lives in, whatever is overridden later
    std::wstring name_;
    HKEY hive_ = nullptr;
};

}  // namespace quillmont::testing
