#include <windows.h>

#include <vector>

#include "system_contract.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_environment.h"
#include "win32/platform/win32_version_resources.h"

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

}  // namespace

std::unique_ptr<VersionResourcesHarness> makeVersionResourcesHarness() {
    return std::make_unique<Win32VersionResourcesHarness>();
}
std::unique_ptr<EnvironmentHarness> makeEnvironmentHarness() { return std::make_unique<Win32EnvironmentHarness>(); }

}  // namespace quillmont::testing
