#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/wide_string.h"
#include "platform/files.h"
#include "platform/version_resources.h"

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
    // The Java feature version JAVA_VERSION names: 8 for "1.8.0_392", 17 for
    // "17.0.9"; 0 when it names none.
    int featureVersion() const;
};

// The Java feature version a java.exe or javaw.exe runs: what its home's release
// file says (`homeRelease`, read by the caller, who may want more of it), else its
// fixed file version (8.0.3920.8 for Java 8, 1.4.2.x for 1.4); 0 when neither says.
int launcherFeatureVersion(const std::optional<JavaRelease>& homeRelease, VersionResources& versions,
                           const WideString& launcher);

}  // namespace quillmont
