#pragma once

#include "base/wide_string.h"
#include "core/starters/emulator_presets.h"
#include "platform/files.h"

namespace quillmont {

// What an archive is, by the Main-Class its manifest names: an emulator's
// release goes by many names once downloaded, its manifest by one.
struct ArchiveEmulator {
    const EmulatorPreset* preset = nullptr;  // nothing for any other archive
    // Why the archive could not be read as one (damaged, cut short, no zip at
    // all), for the user; empty when it was read, whatever it holds.
    WideString damage;
};
ArchiveEmulator emulatorOfArchive(Files& files, const WideString& path);

}  // namespace quillmont
