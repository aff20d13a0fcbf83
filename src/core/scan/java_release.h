#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/wide_string.h"
#include "platform/files.h"

namespace quillmont {

// What a Java home's "release" file says of it. The JDK's build writes lines
// KEY="value"; the file is read as untrusted text: a bounded prefix, any bytes
// (decoded as UTF-8, a broken sequence as U+FFFD), quotes optional, keys missing.
// A field the file does not give is empty.
struct JavaRelease {
    WideString version;       // JAVA_VERSION: "17.0.9", "1.8.0_392"
    WideString implementor;   // IMPLEMENTOR: "Eclipse Adoptium", "Azul Systems, Inc."
    WideString architecture;  // OS_ARCH: "amd64", "x86", "aarch64"

    // Only this much of the file is read; a release file is a few hundred bytes.
    static constexpr std::size_t kMaxBytes = 16 * 1024;
    // A value longer than this is cut: it only ever names a version or a vendor.
    static constexpr std::size_t kMaxValue = 80;

    static JavaRelease parse(std::span<const std::uint8_t> bytes);
    // The release file of a home; nothing when it has none that can be read.
    static std::optional<JavaRelease> read(Files& files, const WideString& home);
    // Whether the architecture names a 32-bit machine; nothing when it names none known.
    std::optional<bool> is32Bit() const;
};

}  // namespace quillmont
