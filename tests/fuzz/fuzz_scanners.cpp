// Both scanners over machines laid out as installers leave them (every SDK family,
// registered and unregistered Java), then changed by the input, on the in-memory
// ports with the real XML parser. The input picks values and files of the layout
// and replaces their text by its own units (empty, odd, very long, truncated or
// deeply nested XML, garbage, device names full of pattern characters), and sets
// environment variables (portable emulators included). Nothing may crash or leak,
// no scan may take longer than a bound, no two rows of a result may be identical,
// and every program proposed exists: every emulator, and every Java launcher
// proposed from outside the classic Java keys.
#include <chrono>
#include <cstdlib>
#include <set>
#include <tuple>

#include "core/scan/j2me/j2me_scanner.h"
#include "core/scan/j2se_scanner.h"
#include "fake_scan_dialogs.h"
#include "flow_world.h"
#include "fuzz_input.h"
#include "java_layouts.h"
#include "native/pugixml_documents.h"
#include "sdk_layouts.h"

using namespace quillmont;
using namespace quillmont::testing;

namespace {

const std::u16string kMachine = u"C:\\Machine";
const std::u16string kProfile = u"C:\\Users\\Tester";
constexpr std::size_t kMaxText = 4096;
// Far above what any layout here takes; a scan that needs more is hanging.
constexpr auto kBound = std::chrono::seconds(5);

void check(bool condition) {
    if (!condition) std::abort();
}

// Text from the input, sometimes repeated into something long.
std::u16string textFrom(fuzzing::FuzzInput& input) {
    std::u16string text = input.take(input.byte() % 64);
    const int repeat = input.byte();
    if (repeat > 240 && !text.empty())
        while (text.size() < kMaxText * 8) text += text;
    return text;
}

MachineLayout baseLayout(fuzzing::FuzzInput& input) {
    SdkBuilder sdk(kMachine, kProfile);
    layEveryFamily(sdk, input.byte() % 8);
    MachineLayout layout = sdk.layout;
    for (const JavaInstallationLayout& java : spreadJavaInstallations(input.byte() % 16)) {
        // The classic keys propose a runtime without looking for it: left out, so
        // that every J2SE proposal here must exist.
        if (java.key.rfind(u"SOFTWARE\\JavaSoft\\Java ", 0) == 0) continue;
        const std::u16string home = kMachine + u"\\" + java.home;
        layout.values.push_back({java.root, java.view, java.key, java.valueName, home});
        for (const std::u16string& launcher : java.launchers) layout.files.push_back({home + u"\\" + launcher, "MZ"});
    }
    for (const JavaFolderHome& found : spreadJavaFolderHomes(input.byte() % 12)) {
        const std::u16string home = kMachine + u"\\" + found.home;
        for (const char16_t* launcher : {u"\\bin\\java.exe", u"\\bin\\javaw.exe", u"\\bin\\javac.exe"})
            layout.files.push_back({home + launcher, "MZ"});
        layout.files.push_back({home + u"\\release", found.release});
    }
    // Portable emulators where people unpack them, and KEmulator's registry value.
    for (const char16_t* archive : {u"\\profile\\Downloads\\KEmulator\\KEmulator.jar", u"\\pf\\emu\\f\\freej2me.jar",
                                    u"\\profile\\Desktop\\microemulator.jar", u"\\k\\KEmulator.jar", u"\\k\\x86.dll"})
        layout.files.push_back({kMachine + archive, "MZ"});
    layout.values.push_back({RegistryRoot::LocalMachine, RegistryView::Bits32, u"SOFTWARE\\nnproject\\KEmulator",
                             u"JarInstalledPath", kMachine + u"\\k\\KEmulator.jar"});
    return layout;
}

// Changes the layout as the input says, until the input runs out.
void mutate(MachineLayout& layout, FlowWorld& world, fuzzing::FuzzInput& input) {
    for (const auto& [name, value] : javaFolderEnvironment(kMachine)) world.environment.set(name, value);
    world.environment.set(u"USERPROFILE", kProfile);
    static const char16_t* kVariables[] = {u"JAVA_HOME", u"JDK_HOME", u"PATH", u"SCOOP", u"USERPROFILE",
                                          u"LOCALAPPDATA", u"ProgramFiles", u"SystemDrive"};
    while (!input.empty()) {
        const int what = input.byte() % 5;
        std::size_t pick = input.byte();
        pick |= static_cast<std::size_t>(input.byte()) << 8;
        if (what == 0 && !layout.values.empty()) {
            layout.values[pick % layout.values.size()].value = textFrom(input);
        } else if (what == 1 && !layout.files.empty()) {
            MachineLayout::File& file = layout.files[pick % layout.files.size()];
            const std::u16string text = textFrom(input);
            file.text.clear();
            for (const char16_t c : text) file.text += static_cast<char>(c & 0xFF);
        } else if (what == 2 && !layout.files.empty()) {
            // Cut a file short, as a broken download or a full disk leaves it.
            MachineLayout::File& file = layout.files[pick % layout.files.size()];
            file.text.resize(file.text.size() * input.byte() / 256);
        } else if (what == 3 && !layout.files.empty()) {
            // Text inside a file, where it may land in a device's name or an attribute.
            MachineLayout::File& file = layout.files[pick % layout.files.size()];
            std::string inserted;
            for (const char16_t c : textFrom(input)) inserted += static_cast<char>(c & 0xFF);
            file.text.insert(file.text.size() * input.byte() / 256, inserted);
        } else {
            world.environment.set(kVariables[pick % std::size(kVariables)], textFrom(input));
        }
    }
}

void install(const MachineLayout& layout, FlowWorld& world) {
    for (const MachineLayout::Value& v : layout.values) {
        const WideString key = FakeRegistry::inView(v.root, v.key, v.view);
        world.registry.createKey(v.root, key);
        world.registry.setString(v.root, key, v.name, v.value);
    }
    for (const std::u16string& folder : layout.folders) world.files.addFolder(folder);
    for (const MachineLayout::File& file : layout.files) world.files.addFile(file.path, file.text);
}

void checkResult(StarterScanner& scanner, Files& files) {
    const auto start = std::chrono::steady_clock::now();
    scanner.scan();
    check(std::chrono::steady_clock::now() - start < kBound);
    std::set<std::tuple<WideString, WideString, WideString>> rows;
    for (const DetectedStarter& proposal : scanner.detected()) {
        check(rows.insert({proposal.starter.name, proposal.starter.executableFile, proposal.starter.arguments}).second);
        check(files.attributes(proposal.starter.executableFile).has_value());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzInput input(data, size);
    FlowWorld world;
    MachineLayout layout = baseLayout(input);
    mutate(layout, world, input);
    install(layout, world);
    native::PugixmlDocuments xml(world.files);
    Platform platform{world.startup, world.ui, world.processes, world.registry, world.shell,
                      world.files, world.versions, world.environment, xml, world.http};
    FakeScanDialogs dialogs;
    J2meScanner j2me({platform, dialogs, world.store.list(StarterKind::J2ME)});
    checkResult(j2me, world.files);
    J2seScanner j2se({platform, dialogs, world.store.list(StarterKind::J2SE)});
    checkResult(j2se, world.files);
    return 0;
}
