#pragma once

#include "platform/version_resources.h"

namespace quillmont::win32 {

// Version resources through GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW.
class Win32VersionResources final : public VersionResources {
public:
    std::optional<VersionTranslation> firstTranslation(const WideString& file) override;
    std::optional<WideString> stringValue(const WideString& file, VersionTranslation translation,
                                          const WideString& name) override;
    std::optional<FixedFileVersion> fixedFileVersion(const WideString& file) override;
};

}  // namespace quillmont::win32
