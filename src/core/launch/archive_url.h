#pragma once

#include "base/wide_string.h"

namespace quillmont {

// How a descriptor's MIDlet-Jar-URL names its archive. Descriptors were made to be
// downloaded: download sites and build scripts wrote absolute web addresses, and a
// relative name may carry URL escapes ("My%20Game.jar").

// A scheme of two letters or more followed by "://" (http, https, ftp, ...); a
// drive letter ("C://") is never one.
bool isRemoteUrl(const WideString& url);
// A "file:" URL, which names a path on this machine.
bool isFileUrl(const WideString& url);
// The name a web address ends in: its last path segment without query and
// fragment, escapes decoded; empty when that is no plain file name.
WideString webFileName(const WideString& url);
// The path a file: URL names: "file:///C:/My%20Games/a.jar" is C:\My Games\a.jar,
// "file://server/share/a.jar" is \\server\share\a.jar.
WideString fileUrlPath(const WideString& url);
// The file: URL of a path, which fileUrlPath reads back: C:\My Games\a.jar is
// "file:///C:/My%20Games/a.jar", \\server\share\a.jar "file://server/share/a.jar".
WideString fileUrlOf(const WideString& path);
// %XX escapes decoded, UTF-8 sequences as one character; an escape that is not
// two hex digits stays as written, and so does a sequence that is no UTF-8.
WideString decodeUrlEscapes(const WideString& text);
// A web address short enough for a line of a dialog: the middle left out.
WideString shortenedWebAddress(const WideString& url);

}  // namespace quillmont
