#pragma once

#include <string>
#include <string_view>

// Small helpers over POSIX file descriptors shared by the readers and writers of files.

// "Cannot <verb> "<path>": <reason>", the one shape of every file error.
[[nodiscard]] std::string fileError(std::string_view verb, const std::string& path,
                                    std::string_view reason);
// The same with the system's text for `error` (an errno value) as the reason.
[[nodiscard]] std::string fileError(std::string_view verb, const std::string& path, int error);

// Writes every byte, retrying after interruptions; false with errno set when it could not.
[[nodiscard]] bool writeAll(int fd, std::string_view bytes);

// The directory part of a path: "." for a bare name, "/" for a file in the root.
[[nodiscard]] std::string directoryOf(const std::string& path);
