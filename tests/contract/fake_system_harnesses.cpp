#include "fake_environment.h"
#include "fake_http_client.h"
#include "http_contract.h"
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
    FakeEnvironmentHarness() { environment_.ansiLatin1Only = true; }
    Environment& environment() override { return environment_; }
    void setVariable(const WideString& name, const WideString& value) override { environment_.set(name, value); }

private:
    FakeEnvironment environment_;
};

// The loopback service's answers, as its table.
class FakeHttpHarness final : public HttpHarness {
public:
    FakeHttpHarness() {
        http_.answer(url("latest"), "*AQQAAAAAAAIBAyYAAABodHRwczovL3F1aWxsbW9udC50ZXN0L25ldz9mcm9tPXVwZGF0ZQ==");
        http_.answer(url("error500"), "<html><body>Internal Server Error</body></html>");
        http_.answer(url("oversize"), "*" + std::string(0x100000, 'A'));
    }
    HttpClient& client() override { return http_; }
    WideString url(const char* answer) override {
        const std::string text = std::string("http://127.0.0.1:8000/") + answer + "/update/1/";
        return WideString(text.begin(), text.end());
    }
    bool echoes() override { return false; }

private:
    FakeHttpClient http_;
};

}  // namespace

std::unique_ptr<HttpHarness> makeHttpHarness() { return std::make_unique<FakeHttpHarness>(); }
std::unique_ptr<VersionResourcesHarness> makeVersionResourcesHarness() {
    return std::make_unique<FakeVersionResourcesHarness>();
}
std::unique_ptr<EnvironmentHarness> makeEnvironmentHarness() { return std::make_unique<FakeEnvironmentHarness>(); }

}  // namespace quillmont::testing
