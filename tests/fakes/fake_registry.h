#pragma once

#include <memory>
#include <optional>
#include <set>

#include "platform/registry.h"

namespace quillmont::testing {

// An in-memory registry that behaves like Windows' (the contract tests prove it):
// names compare without regard to case and keep the case they were created with,
// subkeys enumerate in case-insensitive name order, values in the order they were
// first written, key names are at most 255 characters, and the 32-bit view of
// HKEY_LOCAL_MACHINE\SOFTWARE is redirected as on 64-bit Windows.
//
// For tests of failures it can refuse writes: every write after the first
// `writesBeforeFailure` ones, the one write numbered `failingWrite` (counting
// from 1), and every write to a key in `lockedKeys`.
class FakeRegistry final : public Registry {
public:
    FakeRegistry();
    ~FakeRegistry() override;

    std::optional<int> writesBeforeFailure;  // nothing: no write fails
    std::optional<int> failingWrite;         // nothing: no write fails
    std::set<WideString> lockedKeys;         // "HKCU\\path" in upper case
    int writes = 0;                          // writes attempted so far

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

    // Any value type and bytes, for tests of bad input.
    bool setRaw(RegistryRoot root, const WideString& path, const WideString& name, RegistryValue value);
    // Every key and value below the path, one line each, for comparing layouts.
    std::vector<WideString> dump(RegistryRoot root, const WideString& path);

    static WideString upper(const WideString& text);
    // Where a key of a view is kept: the 32-bit view of HKLM\SOFTWARE\X is
    // HKLM\SOFTWARE\WOW6432Node\X, as a 64-bit Windows keeps it. Writes go to the
    // program's own (64-bit) view, so a test writes a 32-bit key at that place.
    static WideString inView(RegistryRoot root, const WideString& path, RegistryView view);

private:
    struct Node;
    Node* find(RegistryRoot root, const WideString& path);
    bool mayWrite(RegistryRoot root, const WideString& path);
    bool writeValue(RegistryRoot root, const WideString& path, const WideString& name, RegistryValue value);

    std::unique_ptr<Node> currentUser_;
    std::unique_ptr<Node> localMachine_;
};

}  // namespace quillmont::testing
