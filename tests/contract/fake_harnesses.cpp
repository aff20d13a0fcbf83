#include "fake_process_launcher.h"
#include "process_launcher_contract.h"
#include "test_paths.h"

namespace quillmont::testing {

namespace {

class FakeProcessLauncherHarness final : public ProcessLauncherHarness {
public:
    FakeProcessLauncherHarness() { fake_.programs.insert(recordingProgram()); }
    ProcessLauncher& launcher() override { return fake_; }
    WideString recordingProgram() override { return u"C:\\tools\\recording starter.exe"; }
    WideString missingProgram() override { return u"C:\\tools\\gone.exe"; }
    std::optional<WideString> recordedCommandLine() override {
        if (fake_.started.empty()) return std::nullopt;
        return fake_.started.back();
    }

private:
    FakeProcessLauncher fake_;
};

}  // namespace

std::unique_ptr<ProcessLauncherHarness> makeProcessLauncherHarness() {
    return std::make_unique<FakeProcessLauncherHarness>();
}

}  // namespace quillmont::testing

#include "fake_registry.h"
#include "registry_contract.h"

namespace quillmont::testing {

namespace {

class FakeRegistryHarness final : public RegistryHarness {
public:
    FakeRegistryHarness() {
        registry_.createKey(RegistryRoot::LocalMachine, u"Software\\Microsoft");
        registry_.createKey(RegistryRoot::CurrentUser, scratchKey());
    }
    Registry& registry() override { return registry_; }
    WideString scratchKey() override { return u"Software\\Brenwick\\Quillmont tests"; }
    WideString machineScratchKey() override { return u"SOFTWARE\\Brenwick\\Quillmont tests"; }
    void writeInView(RegistryRoot root, const WideString& path, RegistryView view, const WideString& name,
                     const WideString& value) override {
        const WideString stored = FakeRegistry::inView(root, path, view);
        registry_.createKey(root, stored);
        registry_.setString(root, stored, name, value);
    }

private:
    FakeRegistry registry_;
};

}  // namespace

std::unique_ptr<RegistryHarness> makeRegistryHarness() { return std::make_unique<FakeRegistryHarness>(); }

}  // namespace quillmont::testing

#include "fake_files.h"
#include "files_contract.h"

namespace quillmont::testing {

namespace {

class FakeFilesHarness final : public FilesHarness {
public:
    FakeFilesHarness() {
        files_.addFolder(files_.temporaryFolderPath);
        files_.addFolder(folder());
    }
    Files& files() override { return files_; }
    WideString folder() override { return files_.temporaryFolderPath + u"quillmont tests\\files 1"; }
    void makeFolder(const WideString& path) override { files_.addFolder(path); }
    void makeFile(const WideString& path, const std::string& text, bool readOnly) override {
        files_.addFile(path, text, readOnly);
    }
    std::optional<std::string> contents(const WideString& path) override {
        std::optional<Bytes> bytes = files_.contents(path);
        if (!bytes) return std::nullopt;
        return std::string(bytes->begin(), bytes->end());
    }

private:
    FakeFiles files_;
};

}  // namespace

std::unique_ptr<FilesHarness> makeFilesHarness() { return std::make_unique<FakeFilesHarness>(); }

}  // namespace quillmont::testing

#include "native/pugixml_documents.h"
#include "xml_contract.h"

namespace quillmont::testing {

namespace {

// pugixml, which must answer as MSXML does.
class NativeXmlHarness final : public XmlHarness {
public:
    XmlDocuments& documents() override { return documents_; }
    WideString folder() override {
        const std::string samples = QUILLMONT_XML_SAMPLES "/";
        return WideString(samples.begin(), samples.end());
    }

private:
    native::PugixmlDocuments documents_;
};

}  // namespace

std::unique_ptr<XmlHarness> makeXmlHarness() { return std::make_unique<NativeXmlHarness>(); }

}  // namespace quillmont::testing
