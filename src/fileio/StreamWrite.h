#pragma once

#include <string>

#include "fileio/AtomicFile.h"

// Writing to files that are streams rather than stored files: a terminal, a pipe, a
// device such as /dev/null. Such a file cannot be replaced; its bytes go straight in.

// Writes what `produce` makes to the open descriptor `fd`, which stays open; `name` is
// what errors call it. A reader that went away is a failure, not the end of the process.
Status writeToDescriptor(int fd, const std::string& name,
                         const std::function<bool(const ByteSink&)>& produce);

// Opens the existing character device or FIFO at `path` and writes to it as above. A FIFO
// waits for its reader, as it does for any program writing to it.
Status writeToStreamFile(const std::string& path,
                         const std::function<bool(const ByteSink&)>& produce);
