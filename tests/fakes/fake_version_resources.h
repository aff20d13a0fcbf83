#pragma once

#include <map>
#include <vector>

#include "fake_files.h"
#include "platform/version_resources.h"

namespace quillmont::testing {

// Version resources of files that exist only in memory, looked up by path as
// Windows compares paths.
class FakeVersionResources final : public VersionResources {
public:
    struct Resource {
        std::vector<VersionTranslation> translations;  // empty: a Translation value of no pairs
        std::map<WideString, WideString> strings;       // "040904b0\\Full Version" -> value
    };

    void add(const WideString& file, Resource resource) { resources_[FakeFiles::key(file)] = std::move(resource); }
    // The fixed part's file version; a file given only this has a resource without
    // a Translation value.
    void setFixedFileVersion(const WideString& file, FixedFileVersion version) {
        fixedVersions_[FakeFiles::key(file)] = version;
        resources_.try_emplace(FakeFiles::key(file));
    }

    std::optional<VersionTranslation> firstTranslation(const WideString& file) override {
        const Resource* found = find(file);
        if (found == nullptr || found->translations.empty()) return std::nullopt;
        return found->translations.front();
    }

    std::optional<WideString> stringValue(const WideString& file, VersionTranslation translation,
                                          const WideString& name) override {
        const Resource* found = find(file);
        if (found == nullptr) return std::nullopt;
        auto value = found->strings.find(tableName(translation) + u"\\" + name);
        if (value == found->strings.end()) return std::nullopt;
        return value->second;
    }

    std::optional<FixedFileVersion> fixedFileVersion(const WideString& file) override {
        if (find(file) == nullptr) return std::nullopt;
        auto found = fixedVersions_.find(FakeFiles::key(file));
        // Every resource has a fixed part; one nobody set reads as 0.0.0.0.
        return found == fixedVersions_.end() ? FixedFileVersion{} : found->second;
    }

    // "040904b0": the language and the code page as four lower-case hex digits each.
    static WideString tableName(VersionTranslation translation) {
        static constexpr char16_t kDigits[] = u"0123456789abcdef";
        WideString name;
        for (std::uint16_t part : {translation.language, translation.codePage})
            for (int shift = 12; shift >= 0; shift -= 4) name.push_back(kDigits[(part >> shift) & 0xF]);
        return name;
    }

private:
    const Resource* find(const WideString& file) const {
        auto found = resources_.find(FakeFiles::key(file));
        return found == resources_.end() ? nullptr : &found->second;
    }
    std::map<WideString, Resource> resources_;
    std::map<WideString, FixedFileVersion> fixedVersions_;
};

}  // namespace quillmont::testing
