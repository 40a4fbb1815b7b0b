#pragma once

#include <sys/stat.h>

// What a file that replaces another takes over from it, and what a new file gets.

// The permissions a new file gets: what the user's umask allows of rw-rw-rw-.
[[nodiscard]] mode_t newFileMode();

// Gives the file open at `fd` the owner, group and permissions of `previous`, as far as
// the process may set them. When the group cannot be kept, the group the file gets
// instead is allowed no more than anyone else; the set-user and set-group bits go with
// an owner or group that could not be kept. Nothing is reported: the file is just as
// good with the saver's owner.
void takeOverOwnership(int fd, const struct stat& previous);
