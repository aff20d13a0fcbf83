#include "win32/platform/win32_version_resources.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

namespace {

// The file's whole version resource; empty when it has none or it cannot be read.
std::vector<unsigned char> readVersionInfo(const WideString& file) {
    const std::wstring name = toWide(file);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> info(size);
    if (!GetFileVersionInfoW(name.c_str(), 0, size, info.data())) return {};
    return info;
}

// The file's size and time of writing; nothing when it cannot be read.
std::optional<std::pair<unsigned long long, unsigned long long>> stampOf(const WideString& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(toWide(file).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return std::make_pair((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                          (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                              data.ftLastWriteTime.dwLowDateTime);
}

}  // namespace

const std::vector<unsigned char>& Win32VersionResources::versionInfo(const WideString& file) {
    const auto stamp = stampOf(file);
    if (stamp && file == cachedFile_ && stamp->first == cachedStamp_[0] && stamp->second == cachedStamp_[1])
        return cachedInfo_;
    cachedInfo_ = stamp ? readVersionInfo(file) : std::vector<unsigned char>();
    cachedFile_ = stamp ? file : WideString();
    if (stamp) {
        cachedStamp_[0] = stamp->first;
        cachedStamp_[1] = stamp->second;
    }
    return cachedInfo_;
}

std::optional<VersionTranslation> Win32VersionResources::firstTranslation(const WideString& file) {
    const std::vector<unsigned char>& info = versionInfo(file);
    if (info.empty()) return std::nullopt;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length) || value == nullptr ||
        length < 4)
        return std::nullopt;
    WORD pair[2];
    std::memcpy(pair, value, sizeof(pair));
    return VersionTranslation{pair[0], pair[1]};
}

std::optional<WideString> Win32VersionResources::stringValue(const WideString& file, VersionTranslation translation,
                                                             const WideString& name) {
    const std::vector<unsigned char>& info = versionInfo(file);
    if (info.empty()) return std::nullopt;
    wchar_t block[32];
    std::swprintf(block, 32, L"\\StringFileInfo\\%04x%04x\\", translation.language, translation.codePage);
    const std::wstring query = block + toWide(name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || value == nullptr) return std::nullopt;
    // The length counts characters, the terminating zero included when there is one.
    const auto* text = static_cast<const wchar_t*>(value);
    WideString result;
    for (UINT i = 0; i < length && text[i] != L'\0'; ++i) result.push_back(static_cast<char16_t>(text[i]));
    return result;
}

std::optional<FixedFileVersion> Win32VersionResources::fixedFileVersion(const WideString& file) {
    const std::vector<unsigned char>& info = versionInfo(file);
    if (info.empty()) return std::nullopt;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\", &value, &length) || value == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof(fixed));
    if (fixed.dwSignature != 0xFEEF04BD) return std::nullopt;
    return FixedFileVersion{HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
                            HIWORD(fixed.dwFileVersionLS), LOWORD(fixed.dwFileVersionLS)};
}

}  // namespace quillmont::win32
