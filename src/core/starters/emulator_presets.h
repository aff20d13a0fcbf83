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
    const char16_t* archive;    // the file that marks the emulator's folder
    const char16_t* name;       // the starter's name when the user gave none
    const char16_t* arguments;  // what follows the launcher; every %s is the folder
};

std::span<const EmulatorPreset> emulatorPresets();

// The preset whose archive the path's file name is (ASCII letters in any case).
const EmulatorPreset* presetForArchive(const WideString& path);
// The preset whose archive a starter's arguments run, as a file name after a
// separator, a quote or a space; nothing for any other starter.
const EmulatorPreset* presetOfStarter(const StarterRecord& starter);

// The starter that runs the emulator in `folder` (no trailing separator needed)
// with `javaLauncher`, starting in that folder.
StarterRecord emulatorStarter(const EmulatorPreset& preset, const WideString& folder, const WideString& javaLauncher);

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
