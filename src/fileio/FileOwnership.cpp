#include "fileio/FileOwnership.h"

#include <unistd.h>

#include <cstdio>

mode_t newFileMode() {
    // The mask is read from /proc, since setting it to learn it would briefly change it
    // for every thread of the process.
    mode_t mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned value = 0;
        while (std::fgets(line, sizeof line, status) != nullptr) {
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value);
                break;
            }
        }
        std::fclose(status);
    }
    return 0666 & ~mask;
}

void takeOverOwnership(int fd, const struct stat& previous) {
    bool ownerKept = true;
    bool groupKept = true;
    // Only the superuser may give a file away; anyone may pass it to a group they are in.
    if (fchown(fd, previous.st_uid, previous.st_gid) != 0) {
        ownerKept = previous.st_uid == geteuid();
        groupKept = fchown(fd, static_cast<uid_t>(-1), previous.st_gid) == 0;
    }
    mode_t mode = previous.st_mode & 07777;
    if (!ownerKept) mode &= ~S_ISUID;
    if (!groupKept) {
        mode &= ~(S_ISGID | S_IRWXG);
        mode |= (previous.st_mode & S_IRWXO) << 3;
    }
    // Set after the owner, since a change of owner clears the set-user and set-group bits.
    // File systems without Unix permissions (a FAT memory stick) may refuse this.
    (void)fchmod(fd, mode);
}
