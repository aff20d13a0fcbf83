#include "fake_environment.h"
#include "fake_version_resources.h"
#include "system_contract.h"

namespace quillmont::testing {

namespace {

class FakeVersionResourcesHarness final : public VersionResourcesHarness {
public:
    FakeVersionResourcesHarness() {
        const VersionTranslation english{0x0409, 0x04B0};
        versions_.add(programWithVersion(), {{english},
                                             {{u"040904b0\\ProductName", u"Quillmont"},
                                              {u"040904b0\\FileVersion", u"1.2.0.0"}}});
        versions_.setFixedFileVersion(programWithVersion(), {1, 2, 0, 0});
    }
    VersionResources& versions() override { return versions_; }
    WideString programWithVersion() override { return u"C:\\Program Files\\Quillmont\\Quillmont.exe"; }
    WideString fileWithoutVersion() override { return u"C:\\Program Files\\Quillmont\\recording_starter.exe"; }
    WideString missingFile() override { return u"C:\\Program Files\\Quillmont\\gone.exe"; }

private:
    FakeVersionResources versions_;
};

class FakeEnvironmentHarness final : public EnvironmentHarness {
public:
    Environment& environment() override { return environment_; }
    void setVariable(const WideString& name, const WideString& value) override { environment_.set(name, value); }

private:
    FakeEnvironment environment_;
};

}  // namespace

std::unique_ptr<VersionResourcesHarness> makeVersionResourcesHarness() {
    return std::make_unique<FakeVersionResourcesHarness>();
}
std::unique_ptr<EnvironmentHarness> makeEnvironmentHarness() { return std::make_unique<FakeEnvironmentHarness>(); }

}  // namespace quillmont::testing
