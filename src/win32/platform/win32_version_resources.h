#pragma once

#include <vector>

#include "platform/version_resources.h"

namespace quillmont::win32 {

// Version resources through GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW.
// Reading a resource maps the file, which is slow under Wine; the questions about
// one launcher come one after another, so the last file's resource is kept while
// the file's size and time of writing stay what they were.
class Win32VersionResources final : public VersionResources {
public:
    std::optional<VersionTranslation> firstTranslation(const WideString& file) override;
    std::optional<WideString> stringValue(const WideString& file, VersionTranslation translation,
                                          const WideString& name) override;
    std::optional<FixedFileVersion> fixedFileVersion(const WideString& file) override;

private:
    const std::vector<unsigned char>& versionInfo(const WideString& file);

    WideString cachedFile_;
    unsigned long long cachedStamp_[2] = {0, 0};  // size, last write time
    std::vector<unsigned char> cachedInfo_;
};

}  // namespace quillmont::win32
