#pragma once

#include "base/wide_string.h"
#include "core/launch/zip_archive_reader.h"
#include "platform/files.h"

namespace quillmont {

// The second line of a read error: why the file could not be read. A missing
// file and a folder say so; anything else is the system's reason (which the
// caller took from Files::failureReason right after the failed call).
WideString unreadableCause(Files& files, const WideString& path, const WideString& systemReason);

// Why the zip reader could not open an archive, as the second line of a read error.
WideString archiveOpenCause(Files& files, const WideString& path, const ZipArchiveReader& reader,
                            const WideString& systemReason);

// "File \"...\" read error.", and the cause on a line of its own when there is one.
WideString readErrorText(const WideString& path, const WideString& cause);
// The same for a write, whose cause is the system's reason.
WideString writeErrorText(const WideString& path, const WideString& cause);

}  // namespace quillmont
