#pragma once

#include <string>

#include "fileio/AtomicFile.h"

// Writing to files that are streams rather than stored files: a terminal, a pipe, a
// device such as /dev/null. Such a file cannot be replaced; its bytes go straight in.

// Writes what `produce` makes to the open descriptor `fd`, which stays open; `name` is
// what errors call it. A reader that went away, or running out of memory while the bytes
// are made, is a failure, not the end of the process.
Status writeToDescriptor(int fd, const std::string& name,
                         const std::function<bool(const ByteSink&)>& produce);

// Opens the existing character device or FIFO at `path` and writes to it as above. A FIFO
// that no program reads is a failure rather than a wait that could last for ever.
Status writeToStreamFile(const std::string& path,
                         const std::function<bool(const ByteSink&)>& produce);

// The descriptor of this process that `path` names (/dev/stdout, /dev/fd/3,
// /proc/self/fd/3), when it names an open one: writing there must go to the descriptor
// itself, so that a redirection such as ">> file" appends instead of being replaced.
[[nodiscard]] int descriptorNamedBy(const std::string& path);
