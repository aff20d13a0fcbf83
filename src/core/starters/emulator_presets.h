#pragma once

#include <span>

#include "base/wide_string.h"
#include "core/starters/starter_record.h"

namespace quillmont {

// The J2ME emulators people run today: portable Java programs unpacked into a
// folder of their own and started by a Java launcher (javaw.exe) with
// `-jar <folder>\<archive>`. A starter for one runs the launcher in that folder.
enum class Emulator { KEmulator, FreeJ2mePlus, MicroEmulator };

struct EmulatorPreset {
    Emulator emulator;
    const char16_t* archive;    // the archive's name as its makers ship it
    const char16_t* mainClass;  // its manifest's Main-Class, which tells it under any name
    const char16_t* name;       // the starter's name when the user gave none
    // What follows the launcher: %s is the emulator's folder, %a its archive's path.
    const char16_t* arguments;
};

std::span<const EmulatorPreset> emulatorPresets();

// The preset whose archive's name (without ".jar") the path's file name begins
// with, ASCII letters in any case: "KEmulator-1.2.jar" looks like KEmulator.
// Downloads are often renamed so; only the manifest says what an archive is.
const EmulatorPreset* presetForArchive(const WideString& path);
const EmulatorPreset* presetForMainClass(const WideString& mainClass);

// The emulator archive a starter's arguments run: a ".jar" path, quoted or not,
// whose file name looks like an emulator's; nothing for any other starter.
struct StarterEmulator {
    const EmulatorPreset* preset = nullptr;
    WideString archive;  // as the arguments give it
};
StarterEmulator emulatorOfStarter(const StarterRecord& starter);
inline const EmulatorPreset* presetOfStarter(const StarterRecord& starter) { return emulatorOfStarter(starter).preset; }

// The starter that runs the emulator archive `archive` (a full path) with
// `javaLauncher`, starting in the archive's folder.
StarterRecord emulatorStarter(const EmulatorPreset& preset, const WideString& archive, const WideString& javaLauncher);

// What Java an emulator can run on, as its makers say.
struct JavaTraits {
    int featureVersion = 0;  // 8 for 1.8.0_392, 17 for 17.0.9; 0 when unknown
    bool bits32 = false;
};
// Whether the Java fits: KEmulator wants Java 8, or 17 to 21, and its 32-bit
// build a 32-bit Java 8; the others run on any Java.
bool javaFits(const EmulatorPreset& preset, bool emulatorIs32Bit, const JavaTraits& java);
// What the user is told when no Java fits: "KEmulator needs Java 8, or 17 to 21."
WideString javaNeedOf(const EmulatorPreset& preset, bool emulatorIs32Bit);

}  // namespace quillmont
