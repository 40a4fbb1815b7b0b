#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "fileio/FileBytes.h"
#include "fileio/FileStamp.h"
#include "platform/Status.h"

// Puts `bytes` in place of the file at `path` so that the file is never seen half
// written: the bytes go to a fresh temporary file beside the target, are flushed to disk
// and then renamed over it. On any failure the target keeps every byte it had and the
// temporary file is removed. A replaced file keeps its owner, group and permissions as
// far as the saver may set them. A symbolic link is followed, so the file it names is
// replaced and the link stays. An existing target that is read-only is refused. A
// terminal, pipe or character device (or a link to one) is written to in place; any other
// file that is neither regular nor new is refused.
Status writeFileAtomically(const std::string& path, std::string_view bytes);

// Takes the bytes of a file piece by piece; false when a piece could not be written.
using ByteSink = std::function<bool(std::string_view bytes)>;

// What a save checks besides writing, and what it reports.
struct WriteOptions {
    // When set, the file at the path must still be the one with this stamp, read earlier:
    // otherwise (changed, replaced or gone) nothing is written and the failure is a
    // Conflict. Streams written in place are not checked.
    std::optional<FileStamp> unchangedSince;
    // When set, receives the stamp of the file written.
    FileStamp* written = nullptr;
    // When set, the file gets exactly these permissions (0600 for what only the user may
    // read), whatever the file it replaces had.
    std::optional<mode_t> permissions;
};

// As above, with checks and reports.
Status writeFileAtomically(const std::string& path, std::string_view bytes,
                           const WriteOptions& options);

// As above, for bytes made while they are written: `produce` hands them to the sink it
// gets and returns false, having stopped, as soon as the sink refuses a piece.
Status writeFileAtomically(const std::string& path,
                           const std::function<bool(const ByteSink&)>& produce,
                           const WriteOptions& options = {});

// Reads the whole regular file at `path` into `contents`, which is left alone on failure,
// and its stamp into `stamp` when given. Anything else (a directory, a device, a pipe) is
// refused without waiting on it, and so is a file too large for memory.
Status readWholeFile(const std::string& path, FileBytes& contents, FileStamp* stamp = nullptr);
// The same into a string, for files that are small or kept as they are.
Status readWholeFile(const std::string& path, std::string& contents, FileStamp* stamp = nullptr);
