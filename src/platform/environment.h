#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/wide_string.h"

namespace quillmont {

// The process environment and the system's text conversions.
class Environment {
public:
    virtual ~Environment() = default;

    // The characters that a text buffer holds.
    static constexpr std::size_t kExpansionBuffer = 4096;

    // Expands %NAME% references in place in a buffer of kExpansionBuffer characters,
    // as DoEnvironmentSubstW does: a reference to a variable that is not set stays
    // as written. The text is first cut to what the buffer holds; when the
    // expansion does not fit, the buffer, and so the result, keeps that text.
    virtual WideString expandEnvironment(const WideString& text) = 0;
    // One variable of the process environment at any length (GetEnvironmentVariableW),
    // as it is set; nothing when it is not set.
    virtual std::optional<WideString> variable(const WideString& name) = 0;
    // The full path of the running program (GetModuleFileNameW), at any length.
    virtual WideString programPath() = 0;

    // The text in lower case by the system's rules for every character (CharLowerW).
    virtual WideString lowerCase(const WideString& text) = 0;
    // Text in the system's ANSI code page (MultiByteToWideChar with CP_ACP), as
    // many bytes as given, zeros included.
    virtual WideString fromAnsiCodePage(std::span<const std::uint8_t> bytes) = 0;
    // Whether the ANSI code page holds every character of the text exactly, with
    // no best-fit stand-in: a program that reads its command line through an
    // ANSI main() sees the text as written. Always true where that code page is
    // UTF-8.
    virtual bool ansiCodePageHolds(const WideString& text) = 0;
};

}  // namespace quillmont
