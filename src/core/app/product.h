#pragma once

#include <cstdint>

namespace quillmont {

// The version the About dialog shows; the update check sends its own packed form.
inline constexpr char16_t kProductVersionText[] = u"1.2.0";
// The program's home page, opened from the About dialog.
inline constexpr char16_t kHomePageUrl[] = u"https://quillmont.brenwick.example/";
// The update service on the same host, and the version the update check sends:
// major, minor, build and revision, one byte each from the top.
inline constexpr char16_t kUpdateServiceUrl[] = u"https://quillmont.brenwick.example/update/1/";
inline constexpr std::uint32_t kUpdateVersion = 0x01020000;

}  // namespace quillmont
