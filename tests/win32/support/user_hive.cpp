#include "user_hive.h"

namespace quillmont::testing {

ScratchUserHive::ScratchUserHive()
    : path_(L"Software\\Brenwick\\Quillmont test hives\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64())) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hive_,
                        nullptr) != ERROR_SUCCESS) {
        hive_ = nullptr;
        return;
    }
    if (RegOverridePredefKey(HKEY_CURRENT_USER, hive_) != ERROR_SUCCESS) {
        RegCloseKey(hive_);
        hive_ = nullptr;
    }
}

ScratchUserHive::~ScratchUserHive() {
    if (hive_ == nullptr) return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(hive_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

}  // namespace quillmont::testing
