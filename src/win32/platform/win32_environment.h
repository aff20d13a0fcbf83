#pragma once

#include "platform/environment.h"

namespace quillmont::win32 {

// Expansion through DoEnvironmentSubstW, variables through GetEnvironmentVariableW, lower case through CharLowerW.
class Win32Environment final : public Environment {
public:
    WideString expandEnvironment(const WideString& text) override;
    std::optional<WideString> variable(const WideString& name) override;
    WideString programPath() override;
    WideString lowerCase(const WideString& text) override;
    WideString fromAnsiCodePage(std::span<const std::uint8_t> bytes) override;
    bool ansiCodePageHolds(const WideString& text) override;
};

}  // namespace quillmont::win32
