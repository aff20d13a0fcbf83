#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include <cstdlib>

#include "http_contract.h"
#include "system_contract.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_environment.h"
#include "win32/platform/win32_version_resources.h"
#include "win32/platform/wininet_http_client.h"

namespace quillmont::testing {

namespace {

// Quillmont.exe beside this test program carries the program's version resource;
// the recording starter carries none.
class Win32VersionResourcesHarness final : public VersionResourcesHarness {
public:
    VersionResources& versions() override { return versions_; }
    WideString programWithVersion() override { return win32::fromWide(binFolder() + L"\\Quillmont.exe"); }
    WideString fileWithoutVersion() override { return win32::fromWide(CommandLineRecorder::starter()); }
    WideString missingFile() override { return win32::fromWide(binFolder() + L"\\gone.exe"); }

private:
    win32::Win32VersionResources versions_;
};

// The process's own environment; what a case sets is removed again.
class Win32EnvironmentHarness final : public EnvironmentHarness {
public:
    ~Win32EnvironmentHarness() override {
        for (const std::wstring& name : set_) SetEnvironmentVariableW(name.c_str(), nullptr);
    }
    Environment& environment() override { return environment_; }
    void setVariable(const WideString& name, const WideString& value) override {
        set_.push_back(win32::toWide(name));
        SetEnvironmentVariableW(set_.back().c_str(), win32::toWide(value).c_str());
    }

private:
    win32::Win32Environment environment_;
    std::vector<std::wstring> set_;
};

// WinINet against the loopback service the test run started.
class WininetHarness final : public HttpHarness {
public:
    HttpClient& client() override { return http_; }
    WideString url(const char* answer) override {
        const char* server = std::getenv("QUILLMONT_UPDATE_SERVER");
        if (server == nullptr) ADD_FAILURE() << "QUILLMONT_UPDATE_SERVER is not set: start tests/update/update_server.py";
        const std::string text = std::string(server != nullptr ? server : "http://127.0.0.1:9") + "/" + answer + "/update/1/";
        return WideString(text.begin(), text.end());
    }
    bool echoes() override { return true; }

private:
    win32::WininetHttpClient http_;
};

}  // namespace

std::unique_ptr<HttpHarness> makeHttpHarness() { return std::make_unique<WininetHarness>(); }
std::unique_ptr<VersionResourcesHarness> makeVersionResourcesHarness() {
    return std::make_unique<Win32VersionResourcesHarness>();
}
std::unique_ptr<EnvironmentHarness> makeEnvironmentHarness() { return std::make_unique<Win32EnvironmentHarness>(); }

}  // namespace quillmont::testing
