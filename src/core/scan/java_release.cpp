#include "core/scan/java_release.h"

#include <array>
#include <vector>

#include "core/scan/scanner_utilities.h"
#include "core/text/number_parsing.h"
#include "core/text/trim.h"
#include "core/text/utf8.h"

namespace quillmont {

namespace {

// The value of a KEY=VALUE line: trimmed, and inside its quotes when it starts
// with one (a missing closing quote ends the value at the line's end).
WideString valueOf(const WideString& raw) {
    WideString value = trimmed(raw);
    if (!value.empty() && (value.front() == u'"' || value.front() == u'\'')) {
        const std::size_t close = value.find(value.front(), 1);
        value = value.substr(1, close == WideString::npos ? WideString::npos : close - 1);
    }
    // Control characters would only garble a starter's name.
    for (char16_t& c : value)
        if (c < 0x20 || c == 0x7F) c = u' ';
    value = trimmed(value);
    return value.substr(0, JavaRelease::kMaxValue);
}

// "1.x" numbering (Java 1.0 to 8) names the feature by its second part.
int featureOf(std::int64_t first, std::int64_t second) {
    const std::int64_t feature = first == 1 ? second : first;
    return feature > 0 && feature < 1000 ? static_cast<int>(feature) : 0;
}

}  // namespace

JavaRelease JavaRelease::parse(std::span<const std::uint8_t> bytes) {
    JavaRelease release;
    const WideString text = decodeUtf8Lenient(bytes.first(std::min(bytes.size(), kMaxBytes)));
    std::size_t at = !text.empty() && text.front() == 0xFEFF ? 1 : 0;  // a byte-order mark
    while (at < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", at);
        if (end == WideString::npos) end = text.size();
        const WideString line = text.substr(at, end - at);
        at = end + 1;
        const std::size_t equals = line.find(u'=');
        if (equals == WideString::npos) continue;
        const WideString key = trimmed(line.substr(0, equals));
        WideString* field = key == u"JAVA_VERSION"   ? &release.version
                            : key == u"IMPLEMENTOR" ? &release.implementor
                            : key == u"OS_ARCH"     ? &release.architecture
                                                    : nullptr;
        // The first line of a key counts, as a shell that sources the file would not
        // have it; either way a later copy must not override what came first.
        if (field != nullptr && field->empty()) *field = valueOf(line.substr(equals + 1));
    }
    return release;
}

std::optional<JavaRelease> JavaRelease::read(Files& files, const WideString& home) {
    std::unique_ptr<ReadableFile> file = files.openForReading(joinPath(home, u"release"));
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> buffer(kMaxBytes);
    const std::optional<std::size_t> got = file->readAt(0, buffer);
    if (!got) return std::nullopt;
    return parse(std::span<const std::uint8_t>(buffer.data(), *got));
}

std::optional<bool> JavaRelease::is32Bit() const {
    static constexpr std::array<const char16_t*, 4> k32 = {u"x86", u"i386", u"i586", u"i686"};
    static constexpr std::array<const char16_t*, 4> k64 = {u"amd64", u"x86_64", u"aarch64", u"arm64"};
    for (const char16_t* name : k32)
        if (architecture == name) return true;
    for (const char16_t* name : k64)
        if (architecture == name) return false;
    return std::nullopt;
}

int JavaRelease::featureVersion() const {
    const std::int64_t first = parseLeadingInteger(version);
    if (first == 1 && version.size() > 2 && version[1] == u'.') return featureOf(1, parseLeadingInteger(version.substr(2)));
    return first > 0 && first < 1000 ? static_cast<int>(first) : 0;
}

int launcherFeatureVersion(const std::optional<JavaRelease>& homeRelease, VersionResources& versions,
                           const WideString& launcher) {
    if (homeRelease)
        if (const int feature = homeRelease->featureVersion()) return feature;
    if (const std::optional<FixedFileVersion> fixed = versions.fixedFileVersion(launcher))
        return featureOf((*fixed)[0], (*fixed)[1]);
    return 0;
}

}  // namespace quillmont
