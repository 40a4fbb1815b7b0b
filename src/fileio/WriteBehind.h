#pragma once

#include <string>

#include "fileio/AtomicFile.h"

// Writes what `produce` makes to the regular file open at `fd`, which stays open; `name`
// is what errors call it. Once the bytes pass a megabyte, they are copied into the file by
// a second thread while the next are made, and the disk is asked to start on every few
// megabytes written, so that a flush afterwards waits for little more than the last of
// them. A failed write stops the producer at its next piece; running out of memory is a
// failure, not the end of the process.
Status writeBehind(int fd, const std::string& name,
                   const std::function<bool(const ByteSink&)>& produce);
