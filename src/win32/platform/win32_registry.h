#pragma once

#include "platform/registry.h"

namespace quillmont::win32 {

// The real registry through RegXxxW; each call opens and closes its keys.
class Win32Registry final : public Registry {
public:
    bool keyExists(RegistryRoot root, const WideString& path, RegistryAccess access) override;
    bool createKey(RegistryRoot root, const WideString& path) override;
    EnumResult enumSubkey(RegistryRoot root, const WideString& path, std::uint32_t index,
                          RegistryAccess access) override;
    EnumResult enumValue(RegistryRoot root, const WideString& path, std::uint32_t index,
                         RegistryAccess access) override;
    std::optional<RegistryValue> queryValue(RegistryRoot root, const WideString& path, const WideString& name,
                                            RegistryAccess access) override;
    bool setDword(RegistryRoot root, const WideString& path, const WideString& name, std::uint32_t value) override;
    bool setString(RegistryRoot root, const WideString& path, const WideString& name,
                   const WideString& value) override;
    bool deleteValue(RegistryRoot root, const WideString& path, const WideString& name) override;
    bool deleteTree(RegistryRoot root, const WideString& path) override;
};

}  // namespace quillmont::win32
