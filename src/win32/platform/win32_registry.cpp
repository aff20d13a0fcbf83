#include "win32/platform/win32_registry.h"

#include <windows.h>

#include <vector>

#include "win32/platform/unique_key.h"
#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

namespace {

HKEY rootKey(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

REGSAM samOf(RegistryAccess access) {
    const REGSAM rights = access.mode == RegistryAccess::Mode::Full ? KEY_ALL_ACCESS : KEY_READ;
    switch (access.view) {
        case RegistryView::Own: return rights;
        case RegistryView::Bits64: return rights | KEY_WOW64_64KEY;
        case RegistryView::Bits32: return rights | KEY_WOW64_32KEY;
    }
    return rights;
}

UniqueKey openKey(RegistryRoot root, const WideString& path, RegistryAccess access) {
    UniqueKey key;
    if (RegOpenKeyExW(rootKey(root), toWide(path).c_str(), 0, samOf(access), key.receive()) != ERROR_SUCCESS)
        key.reset();
    return key;
}

EnumResult enumStatus(LSTATUS status, const wchar_t* name) {
    if (status == ERROR_SUCCESS) return {EnumStatus::Found, fromWide(name)};
    if (status == ERROR_NO_MORE_ITEMS) return {EnumStatus::NoMoreItems, {}};
    return {EnumStatus::Failed, {}};
}

bool setValue(RegistryRoot root, const WideString& path, const WideString& name, DWORD type, const void* data,
              DWORD size) {
    UniqueKey key = openKey(root, path, RegistryAccess::Full);
    return key.valid() && RegSetValueExW(key.get(), toWide(name).c_str(), 0, type,
                                         static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

}  // namespace

bool Win32Registry::keyExists(RegistryRoot root, const WideString& path, RegistryAccess access) {
    return openKey(root, path, access).valid();
}

bool Win32Registry::createKey(RegistryRoot root, const WideString& path) {
    UniqueKey key;
    return RegCreateKeyExW(rootKey(root), toWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, key.receive(), nullptr) == ERROR_SUCCESS;
}

EnumResult Win32Registry::enumSubkey(RegistryRoot root, const WideString& path, std::uint32_t index,
                                     RegistryAccess access) {
    UniqueKey key = openKey(root, path, access);
    if (!key.valid()) return {EnumStatus::Failed, {}};
    wchar_t name[256];
    DWORD length = 256;
    return enumStatus(RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr), name);
}

EnumResult Win32Registry::enumValue(RegistryRoot root, const WideString& path, std::uint32_t index,
                                    RegistryAccess access) {
    UniqueKey key = openKey(root, path, access);
    if (!key.valid()) return {EnumStatus::Failed, {}};
    std::vector<wchar_t> name(16384);
    DWORD length = static_cast<DWORD>(name.size());
    return enumStatus(RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr),
                      name.data());
}

std::optional<RegistryValue> Win32Registry::queryValue(RegistryRoot root, const WideString& path,
                                                       const WideString& name, RegistryAccess access) {
    UniqueKey key = openKey(root, path, access);
    if (!key.valid()) return std::nullopt;
    const std::wstring valueName = toWide(name);
    RegistryValue value;
    DWORD type = 0;
    // Most values are a short path or a number: one call reads them. (Each call
    // is a round trip to the registry's owner, which a launch makes dozens of.)
    constexpr DWORD kFirstTry = 512;
    value.bytes.resize(kFirstTry);
    DWORD size = kFirstTry;
    LSTATUS status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, value.bytes.data(), &size);
    if (status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.type = type;
        return value;
    }
    // The value may grow between the calls; ask again until the buffer fits.
    for (int attempt = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++attempt) {
        value.bytes.resize(size);
        status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                                  value.bytes.empty() ? nullptr : value.bytes.data(), &size);
        if (status == ERROR_SUCCESS) {
            value.bytes.resize(size);
            value.type = type;
            return value;
        }
        if (attempt > 8) break;
    }
    return std::nullopt;
}

bool Win32Registry::setDword(RegistryRoot root, const WideString& path, const WideString& name,
                             std::uint32_t value) {
    const DWORD data = value;
    return setValue(root, path, name, REG_DWORD, &data, sizeof(data));
}

bool Win32Registry::setString(RegistryRoot root, const WideString& path, const WideString& name,
                              const WideString& value) {
    const std::wstring text = toWide(value);
    return setValue(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool Win32Registry::deleteValue(RegistryRoot root, const WideString& path, const WideString& name) {
    UniqueKey key = openKey(root, path, RegistryAccess::Full);
    return key.valid() && RegDeleteValueW(key.get(), toWide(name).c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::deleteTree(RegistryRoot root, const WideString& path) {
    {
        UniqueKey key = openKey(root, path, RegistryAccess::Full);
        if (!key.valid()) return !keyExists(root, path, RegistryAccess::Read);
        DWORD count = 0;
        if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        // The last subkey first, so that the indexes still to come stay valid.
        for (DWORD index = count; index-- > 0;) {
            wchar_t name[256];
            DWORD length = 256;
            if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                continue;
            deleteTree(root, path + u"\\" + fromWide(name));
        }
    }
    RegDeleteKeyW(rootKey(root), toWide(path).c_str());
    return !keyExists(root, path, RegistryAccess::Read);
}

}  // namespace quillmont::win32
