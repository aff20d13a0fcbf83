#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/wide_string.h"

namespace quillmont {

// A language and code page of a version resource's string tables.
struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    bool operator==(const VersionTranslation&) const = default;
};

// The fixed file version's four 16-bit parts, most significant first: 6,0,3,1 for
// a FILEVERSION of 6,0,3,1.
using FixedFileVersion = std::array<std::uint16_t, 4>;

// The version resources of executable files (GetFileVersionInfoW, VerQueryValueW).
// Each call reads the file's resource afresh.
class VersionResources {
public:
    virtual ~VersionResources() = default;
    // The first pair of "\VarFileInfo\Translation"; nothing when the file has no
    // version resource or the value holds fewer than four bytes.
    virtual std::optional<VersionTranslation> firstTranslation(const WideString& file) = 0;
    // The value "\StringFileInfo\<language><code page>\<name>" (each as four
    // lower-case hexadecimal digits); nothing when the file or the value is missing.
    virtual std::optional<WideString> stringValue(const WideString& file, VersionTranslation translation,
                                                  const WideString& name) = 0;
    // The file version of the resource's fixed part (VS_FIXEDFILEINFO); nothing when
    // the file has no version resource.
    virtual std::optional<FixedFileVersion> fixedFileVersion(const WideString& file) = 0;
};

}  // namespace quillmont
