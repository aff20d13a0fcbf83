#pragma once

#include "base/wide_string.h"
#include "core/starters/emulator_presets.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace quillmont {

// The folder a starter runs the emulator copy in `folder` in. FreeJ2ME-Plus keeps
// its settings and the games' saves (config\, rms\) in the folder it starts in:
// for a copy under either Program Files folder, which is no place for a user's
// files, or in a folder the user cannot write to, that is a folder of the user's
// own, %LOCALAPPDATA%\Quillmont\FreeJ2ME-Plus followed by the copy's own path
// (C\Program Files\FreeJ2ME-Plus), one for each copy. Every other emulator, and a
// copy in a folder of the user's, starts in its own folder.
WideString emulatorStartFolder(Files& files, Environment& environment, const EmulatorPreset& preset,
                               const WideString& folder);

// Creates the start folder, and the folders above it, when it is one of the
// user's own that emulatorStartFolder gives and is missing; any other start
// folder is the user's business and stays as it is.
void createOwnStartFolder(Files& files, Environment& environment, const WideString& startFolder);

}  // namespace quillmont
