#include "core/starters/emulator_presets.h"

#include "core/text/message_format.h"
#include "core/text/ascii_case.h"
#include "core/text/path_parts.h"

namespace quillmont {

namespace {

// Each %s is the emulator's folder; %1 is the descriptor, %2 the archive.
constexpr EmulatorPreset kPresets[] = {
    // KEmulator reads its own libraries, languages and settings from the current
    // folder, and takes the suite's descriptor and archive by option.
    {Emulator::KEmulator, u"KEmulator.jar", u"KEmulator",
     u"-Djava.library.path=\"%s\" -Xmx512M -Dfile.encoding=UTF-8 -jar \"%s\\KEmulator.jar\" -jad %1 -jar %2"},
    // FreeJ2ME-Plus takes the archive alone and finds the descriptor beside it.
    {Emulator::FreeJ2mePlus, u"freej2me.jar", u"FreeJ2ME-Plus",
     u"-Dfile.encoding=ISO_8859_1 -jar \"%s\\freej2me.jar\" %2"},
    // MicroEmulator takes the descriptor and reads MIDlet-Jar-URL itself.
    {Emulator::MicroEmulator, u"microemulator.jar", u"MicroEmulator", u"-jar \"%s\\microemulator.jar\" %1"},
};

}  // namespace

std::span<const EmulatorPreset> emulatorPresets() { return kPresets; }

const EmulatorPreset* presetForArchive(const WideString& path) {
    const WideString name = fileNameOf(path);
    for (const EmulatorPreset& preset : kPresets)
        if (equalsIgnoringAsciiCase(name, preset.archive)) return &preset;
    return nullptr;
}

const EmulatorPreset* presetOfStarter(const StarterRecord& starter) {
    const WideString arguments = lowerAscii(starter.arguments);
    for (const EmulatorPreset& preset : kPresets) {
        const WideString archive = lowerAscii(preset.archive);
        for (std::size_t at = arguments.find(archive); at != WideString::npos; at = arguments.find(archive, at + 1)) {
            const char16_t before = at == 0 ? u' ' : arguments[at - 1];
            if (isPathSeparator(before) || before == u'"' || before == u' ') return &preset;
        }
    }
    return nullptr;
}

StarterRecord emulatorStarter(const EmulatorPreset& preset, const WideString& folder, const WideString& javaLauncher) {
    WideString where = withoutTrailingSeparators(folder);
    const bool root = !where.empty() && isPathSeparator(where.back());
    // A root such as "D:\" would end in a backslash that escapes the closing quote.
    const WideString inQuotes = root ? where + u"." : where;
    const WideString joined = root ? where.substr(0, where.size() - 1) : where;
    WideString arguments = preset.arguments;
    const WideString first = u"%s\\";
    for (std::size_t at = arguments.find(u"%s"); at != WideString::npos; at = arguments.find(u"%s", at)) {
        const WideString& value = arguments.compare(at, first.size(), first) == 0 ? joined : inQuotes;
        arguments.replace(at, 2, value);
        at += value.size();
    }
    return {preset.name, javaLauncher, arguments, where};
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
