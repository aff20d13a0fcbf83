#pragma once

#include <windows.h>

#include <string>

namespace quillmont::testing {

// Points HKEY_CURRENT_USER of this process at a fresh scratch key of the real
// registry for the life of the object, so that tests of the program's own keys
// run on the real registry without touching the prefix's settings.
class ScratchUserHive {
public:
    ScratchUserHive();
    ~ScratchUserHive();
    ScratchUserHive(const ScratchUserHive&) = delete;
    ScratchUserHive& operator=(const ScratchUserHive&) = delete;

    bool valid() const { return hive_ != nullptr; }

private:
    std::wstring path_;
    HKEY hive_ = nullptr;
};

}  // namespace quillmont::testing
