#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "platform/Status.h"

// Small helpers over POSIX file descriptors shared by the readers and writers of files.

// A failure of `kind` (Read or Write) of the file at `path`, for the system's `error`.
[[nodiscard]] Status fileFailure(FailureKind kind, const std::string& path, int error);

// Opens the regular file at `path` for reading into `fd`, its state into `st`. Anything else
// (a directory, a device, a pipe) is refused without waiting on it, since it may never end.
[[nodiscard]] Status openRegularFile(const std::string& path, int& fd, struct stat& st);

// Writes every byte, retrying after interruptions; false with errno set when it could not.
[[nodiscard]] bool writeAll(int fd, std::string_view bytes);

// The directory part of a path: "." for a bare name, "/" for a file in the root.
[[nodiscard]] std::string directoryOf(const std::string& path);
