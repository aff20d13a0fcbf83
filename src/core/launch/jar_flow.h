#pragma once

#include "core/app/launch_request.h"
#include "core/launch/launch_context.h"

namespace quillmont {

// Opens an archive (the request's file): reads its manifest, starts a desktop
// archive with a J2SE starter, and a MIDlet suite through its companion
// descriptor or, when it has none, through a temporary descriptor written from
// the manifest for a temporary copy of the archive. True when a starter process
// was created.
bool runJarFlow(LaunchContext& context, const LaunchRequest& request);

// The attribute names that make a manifest a MIDlet suite's, in the order tested.
inline constexpr const char16_t* kMidletAttributes[] = {u"MIDlet-Vendor",  u"MIDlet-Version",
                                                        u"MicroEdition-Configuration", u"MicroEdition-Profile",
                                                        u"MIDlet-Name",    u"MIDlet-1"};

}  // namespace quillmont
