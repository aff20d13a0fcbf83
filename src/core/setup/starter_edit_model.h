#pragma once

#include <functional>
#include <optional>

#include "core/scan/emulator_java.h"
#include "core/starters/starter_kind.h"
#include "core/starters/starter_record.h"
#include "platform/platform.h"

namespace quillmont {

// The two variants of the starter edit dialog and what they offer; which dialog
// resource each kind uses is the Win32 layer's.
struct StarterEditVariant {
    const char16_t* caption;
    const char16_t* argumentLabel;
    const char16_t* snippets[2];  // the ">" menu's entries 1 and 2, appended as they stand
};
const StarterEditVariant& starterEditVariant(StarterKind kind);

inline constexpr int kNameLimit = 256;
inline constexpr int kExecutableFileLimit = 1024;
inline constexpr int kArgumentsLimit = 1024;
inline constexpr int kStartFolderLimit = 1024;

// The fields as typed, checked and trimmed for OK: either the record to store or
// the message that keeps the dialog open.
struct StarterEditOutcome {
    std::optional<StarterRecord> record;
    WideString error;
};
// The start folder is trimmed and taken out of quotes like the program. A .jar
// is refused as the program: Windows does not start one by itself.
StarterEditOutcome checkStarterFields(const WideString& name, const WideString& executableFile,
                                      const WideString& arguments, const WideString& startFolder = {});

// A J2SE starter for a java.exe or javaw.exe with empty arguments would start the
// launcher with nothing to run: for such a program the arguments that pass the
// archive; nothing when the arguments are to stay as they are.
std::optional<WideString> argumentsForJavaLauncher(StarterKind kind, const WideString& executableFile,
                                                   const WideString& arguments);
// The warning OK shows before it stores a J2SE starter whose arguments never
// hand it the archive; empty when none is due.
WideString argumentsWarning(StarterKind kind, const StarterRecord& record);

// What picking or typing an emulator's archive as the Executable File makes of
// the fields: the Java launcher, the emulator's arguments with its real folder
// and archive, the folder to start in, and its name where the name is empty.
struct EmulatorFill {
    std::optional<StarterRecord> record;  // the filled fields; nothing leaves them as they are
    WideString note;                      // which Java it runs on, for the dialog to show
    WideString error;                     // why nothing was filled, when the user must know
};
// Nothing to fill (and no error) unless the path, quoted or not, names an
// existing .jar whose manifest is KEmulator's, FreeJ2ME-Plus's or
// MicroEmulator's, whatever the file's name; a damaged archive is an error.
EmulatorFill fillForEmulator(EmulatorJavaFinder& java, Platform& platform, const WideString& path,
                             const StarterRecord& fields);
// How the J2ME edit dialog reaches the Java of the machine: made by the setup
// dialog from the J2SE starters and the ports.
using EmulatorFiller = std::function<EmulatorFill(const WideString& path, const StarterRecord& fields)>;

// What becomes of an emulator's fill once the Executable File is another
// program than the one filled in: the note goes, and so do the arguments and the
// start folder that still read as filled, so that nothing of the emulator stays
// behind for a program it does not fit. Another Java launcher runs the emulator
// as well, so for one they stay.
struct ProgramChange {
    StarterRecord fields;    // the fields as they are to be
    bool clearNote = false;
    bool forgetFill = false;  // nothing of the fill is left to take back
};
ProgramChange afterProgramChange(const StarterRecord& filled, const StarterRecord& fields);

}  // namespace quillmont
