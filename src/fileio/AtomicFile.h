#pragma once

#include <functional>
#include <string>
#include <string_view>

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

// As above, for bytes made while they are written: `produce` hands them to the sink it
// gets and returns false, having stopped, as soon as the sink refuses a piece.
Status writeFileAtomically(const std::string& path,
                           const std::function<bool(const ByteSink&)>& produce);

// Reads the whole regular file at `path` into `contents`, which is left alone on failure.
// Anything else (a directory, a device, a pipe) is refused without waiting on it, and so
// is a file too large for memory.
Status readWholeFile(const std::string& path, std::string& contents);
