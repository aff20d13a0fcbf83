#include "machine_hive.h"

namespace quillmont::testing {

ScratchMachineHive::ScratchMachineHive()
    : name_(L"machine-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64())) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Brenwick\\Quillmont test hives", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &parent_, nullptr) != ERROR_SUCCESS) {
        parent_ = nullptr;
        return;
    }
    RegDeleteTreeW(parent_, name_.c_str());
    if (RegCreateKeyExW(parent_, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hive_, nullptr) !=
        ERROR_SUCCESS) {
        hive_ = nullptr;
        return;
    }
    if (RegOverridePredefKey(HKEY_LOCAL_MACHINE, hive_) != ERROR_SUCCESS) {
        RegCloseKey(hive_);
        hive_ = nullptr;
        RegDeleteTreeW(parent_, name_.c_str());
    }
}

ScratchMachineHive::~ScratchMachineHive() {
    if (hive_ != nullptr) {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(hive_);
        RegDeleteTreeW(parent_, name_.c_str());
    }
    if (parent_ != nullptr) RegCloseKey(parent_);
}

bool ScratchMachineHive::setString(const std::wstring& path, const std::wstring& name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(hive_, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace quillmont::testing
