// Counts the registry keys a J2SE scan opens and the folders it reads on a machine
// with 60 registered Java installations spread over every layout, both views and
// both roots, and 40 homes spread over the places outside the registry, and on an
// empty one. Every call of the registry port opens (and closes) one key; every
// folder search of the files port reads one folder.
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "core/scan/j2se_scanner.h"
#include "fake_scan_dialogs.h"
#include "flow_world.h"
#include "java_layouts.h"
#include "posix_files.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

// The fake registry, counting the keys opened by what they are opened for.
class CountingRegistry final : public Registry {
public:
    explicit CountingRegistry(Registry& inner) : inner_(inner) {}
    std::map<std::string, int> opens;  // "enumerate <key>" / "read <key>"
    int total = 0;

    bool keyExists(RegistryRoot root, const WideString& path, RegistryAccess access) override {
        count("exists", path);
        return inner_.keyExists(root, path, access);
    }
    bool createKey(RegistryRoot root, const WideString& path) override { return inner_.createKey(root, path); }
    EnumResult enumSubkey(RegistryRoot root, const WideString& path, std::uint32_t index,
                          RegistryAccess access) override {
        count("enumerate", path);
        return inner_.enumSubkey(root, path, index, access);
    }
    EnumResult enumValue(RegistryRoot root, const WideString& path, std::uint32_t index,
                         RegistryAccess access) override {
        count("values", path);
        return inner_.enumValue(root, path, index, access);
    }
    std::optional<RegistryValue> queryValue(RegistryRoot root, const WideString& path, const WideString& name,
                                            RegistryAccess access) override {
        count("read", path);
        return inner_.queryValue(root, path, name, access);
    }
    bool setDword(RegistryRoot root, const WideString& path, const WideString& name, std::uint32_t value) override {
        return inner_.setDword(root, path, name, value);
    }
    bool setString(RegistryRoot root, const WideString& path, const WideString& name,
                   const WideString& value) override {
        return inner_.setString(root, path, name, value);
    }
    bool deleteValue(RegistryRoot root, const WideString& path, const WideString& name) override {
        return inner_.deleteValue(root, path, name);
    }
    bool deleteTree(RegistryRoot root, const WideString& path) override { return inner_.deleteTree(root, path); }

private:
    void count(const char* what, const WideString& path) {
        ++total;
        // The key's first three segments say which layout it belongs to.
        std::size_t cut = 0;
        for (int segments = 0; segments < 3 && cut != WideString::npos; ++segments) cut = path.find(u'\\', cut + 1);
        const WideString top = path.substr(0, cut);
        ++opens[std::string(what) + " " + std::string(top.begin(), top.end())];
    }
    Registry& inner_;
};

struct Result {
    int opens;
    int folderReads;
    std::size_t proposals;
    double microseconds;
    std::map<std::string, int> byKey;
};

Result scanMachine(int installations, int folderHomes) {
    FlowWorld world;
    const WideString root = u"C:\\Machine";
    for (const auto& [name, value] : javaFolderEnvironment(root)) world.environment.set(name, value);
    for (const JavaFolderHome& found : spreadJavaFolderHomes(folderHomes)) {
        for (const char16_t* launcher : {u"bin\\java.exe", u"bin\\javaw.exe", u"bin\\javac.exe"})
            world.files.addFile(root + u"\\" + found.home + u"\\" + launcher, "MZ");
        world.files.addFile(root + u"\\" + found.home + u"\\release", Bytes(found.release.begin(), found.release.end()));
    }
    for (const JavaInstallationLayout& layout : spreadJavaInstallations(installations)) {
        const WideString key = FakeRegistry::inView(layout.root, layout.key, layout.view);
        const WideString home = u"C:\\Java\\" + layout.home;
        world.registry.createKey(layout.root, key);
        world.registry.setString(layout.root, key, layout.valueName, home);
        for (const WideString& launcher : layout.launchers) world.files.addFile(home + u"\\" + launcher, "MZ");
    }
    CountingRegistry counting(world.registry);
    bench::CountingFiles files(world.files);
    Platform platform{world.startup, world.ui, world.processes, counting, world.shell,
                      files, world.versions, world.environment, world.xml, world.http};
    FakeScanDialogs dialogs;
    J2seScanner scanner({platform, dialogs, world.store.list(StarterKind::J2SE)});
    const auto start = std::chrono::steady_clock::now();
    scanner.scan();
    const auto took = std::chrono::steady_clock::now() - start;
    return {counting.total, static_cast<int>(files.counts().folderReads), scanner.detected().size(),
            std::chrono::duration<double, std::micro>(took).count(), counting.opens};
}

}  // namespace

int main() {
    const Result empty = scanMachine(0, 0);
    const Result full = scanMachine(60, 40);
    std::printf("J2SE scan on the in-memory ports\n");
    std::printf("%-34s %6s %8s %10s %12s\n", "machine", "keys", "folders", "proposals", "scan (us)");
    std::printf("%-34s %6d %8d %10zu %12.0f\n", "empty", empty.opens, empty.folderReads, empty.proposals,
                empty.microseconds);
    std::printf("%-34s %6d %8d %10zu %12.0f\n", "60 registered, 40 in folders", full.opens, full.folderReads,
                full.proposals, full.microseconds);
    std::printf("\nkeys opened on the machine with 60 installations, by purpose and key:\n");
    for (const auto& [what, opens] : full.byKey) std::printf("%6d  %s\n", opens, what.c_str());
    return 0;
}
