#pragma once

#include <optional>
#include <string>

#include "platform/Status.h"

// The password of the command line's sync, kept to the user who gives it.

// The environment variable that may hold the password instead of a file.
inline constexpr const char* kPasswordVariable = "QUILLMATE_PASSWORD";

// The password that `text` (a file's contents, the variable's value) gives: its first line,
// without the line break that a file or `echo` leaves, so that both ways give the same one.
[[nodiscard]] std::string passwordOfText(std::string text);

// The password from `file` (the --password-file option), else from the environment, else the
// one the window keeps in the desktop's keyring for `url` and `user` ("" when none). A file
// that others may change is refused; one that others may read is used, with a warning in
// `warning` naming it and its mode.
Status readSyncPassword(const std::optional<std::string>& file, const std::string& url,
                        const std::string& user, std::string& password, std::string& warning);
