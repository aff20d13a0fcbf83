#include "core/launch/archive_java.h"

#include <algorithm>

#include "core/text/trim.h"

namespace quillmont {

namespace {

constexpr std::uint32_t kClassMagic = 0xCAFEBABE;
constexpr std::size_t kMagicOffset = 0;
constexpr std::size_t kMajorOffset = 6;  // after the magic and the minor version
constexpr std::size_t kHeaderSize = 8;
constexpr int kFirstMajor = 45;          // Java 1.0 and 1.1
// A major version beyond this names no Java that can exist for decades: a damaged
// file, which must not hold back every starter.
constexpr int kLastPlausibleMajor = 44 + 200;

std::uint32_t bigEndian(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value = (value << 8) | bytes[at + i];
    return value;
}

// An attribute's value with its continuation lines: a manifest wraps a line
// after 72 bytes and carries it on in lines that start with one space.
WideString fullValue(const AttributeDocument& manifest, const WideString& name) {
    const std::ptrdiff_t at = manifest.find(name);
    if (at < 0) return {};
    WideString value = manifest.value(name, false);
    for (std::size_t line = static_cast<std::size_t>(at) + 1; line < manifest.lineCount(); ++line) {
        const WideString text = manifest.lineText(line);
        if (text.empty() || text.front() != u' ') break;
        value += text.substr(1);
    }
    return trimmed(value);
}

int classJavaVersion(ZipArchiveReader& archive, const WideString& entry) {
    Bytes bytes;
    if (!archive.readEntry(entry, bytes)) return 0;
    return classFileJavaVersion(bytes).value_or(0);
}

// The entry of a class named in a manifest: "com.example.App" is
// "com/example/App.class"; a name written with slashes is taken as it stands.
WideString classEntry(WideString className) {
    std::replace(className.begin(), className.end(), u'.', u'/');
    return className + u".class";
}

}  // namespace

std::optional<int> classFileJavaVersion(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize || bigEndian(bytes, kMagicOffset, 4) != kClassMagic) return std::nullopt;
    const int major = static_cast<int>(bigEndian(bytes, kMajorOffset, 2));
    if (major < kFirstMajor || major > kLastPlausibleMajor) return std::nullopt;
    return major - 44;
}

int javaNeededBy(ZipArchiveReader& archive, const AttributeDocument& manifest) {
    const WideString mainClass = fullValue(manifest, u"Main-Class");
    if (mainClass.empty()) return 0;  // not started with -jar: nothing to say
    int needed = classJavaVersion(archive, classEntry(mainClass));
    const WideString startClass = fullValue(manifest, u"Start-Class");
    if (!startClass.empty()) {
        const WideString entry = classEntry(startClass);
        int start = classJavaVersion(archive, u"BOOT-INF/classes/" + entry);
        if (start == 0) start = classJavaVersion(archive, entry);
        needed = std::max(needed, start);
    }
    return needed;
}

}  // namespace quillmont
