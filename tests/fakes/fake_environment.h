#pragma once

#include <algorithm>
#include <map>

#include "fake_registry.h"
#include "platform/environment.h"

namespace quillmont::testing {

// An environment of its own: variables by name without regard to case, expansion
// as DoEnvironmentSubstW does it, lower case for the letters the tests use
// (ASCII, Latin-1, Greek and Cyrillic).
class FakeEnvironment final : public Environment {
public:
    void set(const WideString& name, const WideString& value) { variables_[FakeRegistry::upper(name)] = value; }

    WideString expandEnvironment(const WideString& text) override {
        const WideString buffer = text.substr(0, std::min(text.size(), kExpansionBuffer - 1));
        WideString result;
        std::size_t at = 0;
        while (at < buffer.size()) {
            const std::size_t open = buffer.find(u'%', at);
            const std::size_t close = open == WideString::npos ? open : buffer.find(u'%', open + 1);
            if (close == WideString::npos) {
                result += buffer.substr(at);
                break;
            }
            result += buffer.substr(at, open - at);
            auto found = variables_.find(FakeRegistry::upper(buffer.substr(open + 1, close - open - 1)));
            if (found != variables_.end() && close > open + 1) {
                result += found->second;
                at = close + 1;
            } else {
                // Not a variable: the first percent sign stays, the second may open a reference.
                result += buffer.substr(open, close - open);
                at = close;
            }
        }
        return result.size() < kExpansionBuffer ? result : buffer;
    }

    std::optional<WideString> variable(const WideString& name) override {
        auto found = variables_.find(FakeRegistry::upper(name));
        if (found == variables_.end()) return std::nullopt;
        return found->second;
    }

    WideString program = u"C:\\Users\\Tester\\AppData\\Local\\Programs\\Quillmont\\Quillmont.exe";
    WideString programPath() override { return program; }

    WideString lowerCase(const WideString& text) override {
        WideString result = text;
        for (char16_t& c : result) c = lower(c);
        return result;
    }

    // Code page 1252 where it is Latin-1, which is all the tests use.
    WideString fromAnsiCodePage(std::span<const std::uint8_t> bytes) override {
        return WideString(bytes.begin(), bytes.end());
    }

    // Off: every text is held, as where the ANSI code page is UTF-8. On: only
    // Latin-1, near enough to a Western Windows' 1252.
    bool ansiLatin1Only = false;
    bool ansiCodePageHolds(const WideString& text) override {
        return !ansiLatin1Only || std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
    }

    static char16_t lower(char16_t c) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
            (c >= 0x410 && c <= 0x42F))
            return static_cast<char16_t>(c + 0x20);
        if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
        return c;
    }

private:
    std::map<WideString, WideString> variables_;
};

}  // namespace quillmont::testing
