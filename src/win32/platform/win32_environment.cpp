#include "win32/platform/win32_environment.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

WideString Win32Environment::expandEnvironment(const WideString& text) {
    std::vector<wchar_t> buffer(kExpansionBuffer, L'\0');
    const std::size_t kept = std::min(text.size(), kExpansionBuffer - 1);
    for (std::size_t i = 0; i < kept; ++i) buffer[i] = static_cast<wchar_t>(text[i]);
    // On failure the buffer keeps what was copied in, and that is the answer.
    DoEnvironmentSubstW(buffer.data(), static_cast<UINT>(buffer.size()));
    buffer.back() = L'\0';
    return fromWide(buffer.data());
}

std::optional<WideString> Win32Environment::variable(const WideString& name) {
    const std::wstring wide = toWide(name);
    // The size asked for may grow between the calls; ask again until it fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return WideString();
        }
        if (length < buffer.size()) return fromWide(std::wstring(buffer.data(), length));
        buffer.resize(length);
    }
}

WideString Win32Environment::programPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return fromWide(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);  // cut short: try a larger buffer
    }
}

WideString Win32Environment::lowerCase(const WideString& text) {
    std::wstring converted = toWide(text);
    // CharLowerBuffW converts every unit, zeros included, where CharLowerW would stop at the first.
    if (!converted.empty()) CharLowerBuffW(converted.data(), static_cast<DWORD>(converted.size()));
    return fromWide(converted);
}

WideString Win32Environment::fromAnsiCodePage(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return {};
    const auto* text = reinterpret_cast<const char*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring converted(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, converted.data(), needed);
    return fromWide(converted);
}

bool Win32Environment::ansiCodePageHolds(const WideString& text) {
    if (text.empty() || GetACP() == CP_UTF8) return true;
    const std::wstring wide = toWide(text);
    const int length = static_cast<int>(wide.size());
    // Without WC_NO_BEST_FIT_CHARS "Ж" would come out as some look-alike and pass.
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), length, nullptr, 0, nullptr, &usedDefault);
    // A code page that takes no flags (GB18030 and the like) holds everything.
    if (needed <= 0) return true;
    std::string converted(static_cast<std::size_t>(needed), '\0');
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), length, converted.data(), needed, nullptr,
                        &usedDefault);
    return usedDefault == FALSE;
}

}  // namespace quillmont::win32
