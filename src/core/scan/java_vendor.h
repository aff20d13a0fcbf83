#pragma once

#include "base/wide_string.h"

namespace quillmont {

// The short name people call a vendor's Java builds by (Temurin, Zulu, Corretto,
// Microsoft, Liberica, Semeru, Oracle, ...), from the release file's IMPLEMENTOR
// ("Eclipse Adoptium", "Azul Systems, Inc.") or from the folder or registry key a
// vendor's installer uses ("Amazon Corretto", "BellSoft"). An implementor that is
// not known keeps its own words up to its first comma; "N/A" and blanks give
// nothing.
WideString javaVendorName(const WideString& implementorOrFolder);
// The same for the vendors it knows only; empty for any other text ("Java").
WideString knownJavaVendor(const WideString& text);

}  // namespace quillmont
