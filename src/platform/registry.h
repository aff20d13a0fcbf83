#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/wide_string.h"

namespace quillmont {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Which of the registry's views a key is opened in. A 64-bit program's own view is
// the 64-bit one; other makers' 32-bit programs keep their keys under
// HKEY_LOCAL_MACHINE\SOFTWARE in the 32-bit view (WOW6432Node), which a plain
// open from a 64-bit program never sees.
enum class RegistryView { Own, Bits64, Bits32 };

// Full access is for the program's own keys under the current user, in its own
// view; the scanners read other makers' keys with read access only, naming the
// view they look in.
struct RegistryAccess {
    enum class Mode { Full, Read };
    Mode mode = Mode::Read;
    RegistryView view = RegistryView::Own;

    static const RegistryAccess Full;
    static const RegistryAccess Read;
    static constexpr RegistryAccess readIn(RegistryView view) { return {Mode::Read, view}; }
    bool operator==(const RegistryAccess&) const = default;
};
inline constexpr RegistryAccess RegistryAccess::Full{RegistryAccess::Mode::Full, RegistryView::Own};
inline constexpr RegistryAccess RegistryAccess::Read{RegistryAccess::Mode::Read, RegistryView::Own};

// The registry's own type numbers.
namespace registry_type {
constexpr std::uint32_t kString = 1;  // REG_SZ
constexpr std::uint32_t kBinary = 3;  // REG_BINARY
constexpr std::uint32_t kDword = 4;   // REG_DWORD
}  // namespace registry_type

struct RegistryValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;  // the stored data, exactly
};

// What one step of an enumeration by index found.
enum class EnumStatus { Found, NoMoreItems, Failed };

struct EnumResult {
    EnumStatus status = EnumStatus::NoMoreItems;
    WideString name;
};

// The registry, addressed by root and key path ("Software\\Brenwick\\..."). Key and
// value names compare without regard to case, as Windows compares them; an empty
// value name is the key's default value. Every operation opens what it needs and
// closes it again before it returns.
class Registry {
public:
    virtual ~Registry() = default;

    virtual bool keyExists(RegistryRoot root, const WideString& path, RegistryAccess access) = 0;
    // Creates the key and any missing parents; true when it exists afterwards.
    virtual bool createKey(RegistryRoot root, const WideString& path) = 0;
    // The subkey at `index`, read into a buffer of 256 characters.
    virtual EnumResult enumSubkey(RegistryRoot root, const WideString& path, std::uint32_t index,
                                  RegistryAccess access) = 0;
    // The name of the value at `index`.
    virtual EnumResult enumValue(RegistryRoot root, const WideString& path, std::uint32_t index,
                                 RegistryAccess access) = 0;
    virtual std::optional<RegistryValue> queryValue(RegistryRoot root, const WideString& path,
                                                    const WideString& name, RegistryAccess access) = 0;
    // Writes into an existing key. A string is stored with its terminating zero counted.
    virtual bool setDword(RegistryRoot root, const WideString& path, const WideString& name,
                          std::uint32_t value) = 0;
    virtual bool setString(RegistryRoot root, const WideString& path, const WideString& name,
                           const WideString& value) = 0;
    virtual bool deleteValue(RegistryRoot root, const WideString& path, const WideString& name) = 0;
    // Deletes the key and everything below it, depth first; true when it is gone.
    virtual bool deleteTree(RegistryRoot root, const WideString& path) = 0;
};

}  // namespace quillmont
