#pragma once

#include <chrono>
#include <string>

#include "platform/Status.h"

// An exclusive lock on a file for one read, change and write back, so that two programs
// that both take it change the file in turn instead of one losing the other's change. The
// lock is advisory: programs that do not ask for it are not stopped. Saves replace the
// file by renaming another over it, so a lock is only held once it is on the file the path
// names: one replaced while waiting is locked afresh.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();  // releases the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locks the file at `path`, waiting up to `patience` while another holds it; a Busy
    // failure when the other keeps it longer, a Read failure when there is no such file.
    Status lock(const std::string& path, std::chrono::milliseconds patience);
    // Releases the lock, if any.
    void unlock();
    // Whether the lock is really held: on a file system without locks `lock` succeeds
    // without one, which is enough for taking turns but not for telling who is alive.
    [[nodiscard]] bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
