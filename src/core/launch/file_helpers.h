#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/bytes.h"
#include "base/wide_string.h"
#include "platform/files.h"
#include "platform/user_interface.h"

namespace quillmont {

// Descriptors and manifests are small; a larger file is refused when read whole.
inline constexpr std::uint64_t kMaxWholeFileBytes = 1'000'000;

inline constexpr char16_t kTemporaryJadName[] = u"qlm_temp.jad";
inline constexpr char16_t kTemporaryJarName[] = u"qlm_temp.jar";
// How many numbered pairs (qlm_temp1.jad ...) there may be beside the fixed one.
inline constexpr int kMaxTemporaryPairs = 99;

// The file's bytes; nothing when it cannot be opened, its size cannot be read, it
// is larger than kMaxWholeFileBytes or fewer bytes than its size could be read.
// Then `cause`, when given, says which (readErrorText's second line).
std::optional<Bytes> readWholeFile(Files& files, const WideString& path, WideString* cause = nullptr);

// Replaces the file's contents by `bytes`, or creates it. The bytes go to a new
// file beside it first, which then replaces the old one in one step, so a write
// that fails halfway (a full disk, a vanished device) leaves the old file as it
// was. A read-only file is refused, as writing it in place would be. On failure
// `cause`, when given, says why.
bool writeWholeFile(Files& files, const WideString& path, std::span<const std::uint8_t> bytes,
                    WideString* cause = nullptr);

// The name of the new file that writeWholeFile writes before it replaces `path`.
WideString stagingPathFor(const WideString& path);

struct TemporaryCopy {
    WideString jadPath;
    WideString jarPath;
    WideString jarName;
};
// Copies the archive to "qlm_temp.jar" in the user's temporary folder, making a
// read-only one there writable first. While an emulator started before still
// holds that pair, the next free numbered pair ("qlm_temp1.jar") is used, and
// numbered pairs that nothing holds any more are removed first. On failure it has
// told the user (access error for the temporary archive, copy error for the source).
std::optional<TemporaryCopy> makeTemporaryCopy(Files& files, UserInterface& ui, const WideString& jarPath);

}  // namespace quillmont
