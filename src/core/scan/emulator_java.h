#pragma once

#include <optional>
#include <vector>

#include "core/starters/emulator_presets.h"
#include "core/starters/starter_list.h"
#include "platform/platform.h"

namespace quillmont {

// The Java launcher an emulator's starter runs.
struct EmulatorJava {
    WideString launcher;  // a javaw.exe that exists
    WideString source;    // for the user: which starter or scan proposal it is
    bool fits = true;     // false when nothing on the machine fits the emulator
};

// Finds the javaw.exe for an emulator: among the J2SE starters first (a starter
// running java.exe gives the javaw.exe beside it), and only when none of them
// fits the emulator, among what a J2SE scan proposes. The first that fits wins;
// when none fits, the first there is, so that the user still gets a starter to
// adjust. The scan runs at most once per finder.
class EmulatorJavaFinder {
public:
    EmulatorJavaFinder(Platform& platform, const StarterList& javaStarters)
        : platform_(platform), javaStarters_(javaStarters) {}

    // Nothing when the machine has no Java launcher at all.
    std::optional<EmulatorJava> find(const EmulatorPreset& preset, const WideString& emulatorFolder);

    // Whether the emulator in the folder is a 32-bit build: a DLL of its own
    // folder is an x86 file (KEmulator ships its native libraries beside it).
    bool emulatorIs32Bit(const WideString& emulatorFolder);

private:
    struct Candidate {
        WideString launcher;
        WideString source;
        JavaTraits traits;
    };
    void addCandidate(std::vector<Candidate>& to, const WideString& executable, const WideString& source);
    JavaTraits traitsOf(const WideString& launcher);
    const std::vector<Candidate>& scanned();

    Platform& platform_;
    const StarterList& javaStarters_;
    std::optional<std::vector<Candidate>> scanned_;
};

}  // namespace quillmont
