#pragma once

namespace quillmont {

// The version the About dialog shows; the update check sends its own packed form.
inline constexpr char16_t kProductVersionText[] = u"1.2.0";
// The program's home page, opened from the About dialog.
inline constexpr char16_t kHomePageUrl[] = u"https://quillmont.brenwick.example/";

}  // namespace quillmont
