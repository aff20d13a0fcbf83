#pragma once

#include <cstdint>
#include <map>

#include "base/wide_string.h"
#include "core/launch/launch_context.h"
#include "core/starters/java_launcher.h"
#include "core/starters/starter_list.h"
#include "platform/platform.h"

namespace quillmont {

// The Java feature version each J2SE starter runs, read from the machine when it
// is first asked for and then kept: the release file of the home of its java.exe
// or javaw.exe, else the program's file version. 0 when neither says, or when
// the program is no Java launcher given with its folder.
class StarterJavaVersions {
public:
    StarterJavaVersions(Platform& platform, const StarterList& starters) : platform_(platform), starters_(starters) {}
    int of(int slot);

private:
    Platform& platform_;
    const StarterList& starters_;
    std::map<int, int> known_;
};

// Before the J2SE starter in `chosen` starts an archive that needs Java `needed`:
// when the starter is known to run an older Java, the user is offered the newest
// starter that runs one new enough, or warned that none does. Returns the slot
// to start (the chosen one or the one offered) or 0 when nothing is to start.
std::int32_t confirmStarterJava(LaunchContext& context, std::int32_t chosen, int needed,
                                const WideString& archivePath);

}  // namespace quillmont
