#include "core/starters/emulator_presets.h"

#include "core/text/ascii_case.h"
#include "core/text/message_format.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

constexpr char16_t kJarSuffix[] = u".jar";

// %s is the emulator's folder, %a its archive; %1 is the descriptor, %2 the archive.
constexpr EmulatorPreset kPresets[] = {
    // KEmulator reads its own libraries, languages and settings from the current
    // folder, and takes the suite's descriptor and archive by option.
    {Emulator::KEmulator, u"KEmulator.jar", u"emulator.Emulator", u"KEmulator",
     u"-Djava.library.path=\"%s\" -Xmx512M -Dfile.encoding=UTF-8 -jar \"%a\" -jad %1 -jar %2"},
    // FreeJ2ME-Plus takes the archive alone and finds the descriptor beside it.
    {Emulator::FreeJ2mePlus, u"freej2me.jar", u"org.recompile.freej2me.FreeJ2ME", u"FreeJ2ME-Plus",
     u"-Dfile.encoding=ISO_8859_1 -jar \"%a\" %2"},
    // MicroEmulator takes the descriptor and reads MIDlet-Jar-URL itself.
    {Emulator::MicroEmulator, u"microemulator.jar", u"org.microemu.app.Main", u"MicroEmulator", u"-jar \"%a\" %1"},
};

// Where the path that ends at `end` (just after ".jar") begins: after its
// opening quote when a quote closes it, else after the blank before it.
std::size_t pathStart(const WideString& arguments, std::size_t end) {
    const bool quoted = end < arguments.size() && arguments[end] == u'"';
    const std::size_t before = quoted ? arguments.rfind(u'"', end - 1) : arguments.find_last_of(u" \t\"", end - 1);
    return before == WideString::npos ? 0 : before + 1;
}

}  // namespace

std::span<const EmulatorPreset> emulatorPresets() { return kPresets; }

const EmulatorPreset* presetForArchive(const WideString& path) {
    const WideString name = fileNameOf(path);
    for (const EmulatorPreset& preset : kPresets) {
        const std::u16string_view archive = preset.archive;
        if (startsWithLowerAscii(name, lowerAscii(WideString(archive.substr(0, archive.size() - 4))))) return &preset;
    }
    return nullptr;
}

const EmulatorPreset* presetForMainClass(const WideString& mainClass) {
    for (const EmulatorPreset& preset : kPresets)
        if (mainClass == preset.mainClass) return &preset;
    return nullptr;
}

StarterEmulator emulatorOfStarter(const StarterRecord& starter) {
    const WideString& arguments = starter.arguments;
    const WideString lower = lowerAscii(arguments);
    for (std::size_t at = lower.find(kJarSuffix); at != WideString::npos; at = lower.find(kJarSuffix, at + 1)) {
        const std::size_t end = at + 4;
        if (end < arguments.size() && arguments[end] != u'"' && arguments[end] != u' ' && arguments[end] != u'\t')
            continue;
        const std::size_t start = pathStart(arguments, end);
        const WideString archive = arguments.substr(start, end - start);
        if (const EmulatorPreset* preset = presetForArchive(archive)) return {preset, archive};
    }
    return {};
}

StarterRecord emulatorStarter(const EmulatorPreset& preset, const WideString& archive, const WideString& javaLauncher) {
    const WideString folder = withoutTrailingSeparators(splitPath(archive).folder);
    // A root such as "D:\" would end in a backslash that escapes the closing quote.
    const bool root = !folder.empty() && isPathSeparator(folder.back());
    const WideString inQuotes = root ? folder + u"." : folder;
    WideString arguments = preset.arguments;
    for (std::size_t at = arguments.find(u'%'); at != WideString::npos && at + 1 < arguments.size();
         at = arguments.find(u'%', at)) {
        const char16_t what = arguments[at + 1];
        if (what != u's' && what != u'a') {
            at += 2;
            continue;
        }
        const WideString& value = what == u's' ? inQuotes : archive;
        arguments.replace(at, 2, value);
        at += value.size();
    }
    return {preset.name, javaLauncher, arguments, folder};
}

bool javaFits(const EmulatorPreset& preset, bool emulatorIs32Bit, const JavaTraits& java) {
    if (preset.emulator != Emulator::KEmulator) return true;
    if (emulatorIs32Bit) return java.featureVersion == 8 && java.bits32;
    return java.featureVersion == 8 || (java.featureVersion >= 17 && java.featureVersion <= 21);
}

WideString javaNeedOf(const EmulatorPreset& preset, bool emulatorIs32Bit) {
    if (preset.emulator != Emulator::KEmulator) return {};
    return formatText(emulatorIs32Bit ? u"%s needs a 32-bit Java 8." : u"%s needs Java 8, or 17 to 21.", preset.name);
}

}  // namespace quillmont
