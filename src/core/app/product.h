#pragma once

#include <cstdint>

#include "quillmont_version.h"

namespace quillmont {

// The version the About dialog shows (from the build); the update check sends
// its packed form.
inline constexpr char16_t kProductVersionText[] = u"" QUILLMONT_VERSION_TEXT;
// The program's home page, opened from the About dialog.
inline constexpr char16_t kHomePageUrl[] = u"https://quillmont.brenwick.example/";
// The update service on the same host, and the version the update check sends:
// major, minor, build and revision, one byte each from the top.
inline constexpr char16_t kUpdateServiceUrl[] = u"https://quillmont.brenwick.example/update/1/";
inline constexpr std::uint32_t kUpdateVersion =
    std::uint32_t{QUILLMONT_VERSION_MAJOR} << 24 | std::uint32_t{QUILLMONT_VERSION_MINOR} << 16 |
    std::uint32_t{QUILLMONT_VERSION_BUILD} << 8 | std::uint32_t{QUILLMONT_VERSION_REVISION};

}  // namespace quillmont
