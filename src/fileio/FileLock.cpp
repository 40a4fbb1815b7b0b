#include "fileio/FileLock.h"
#include "platform/Translate.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "fileio/PosixFile.h"

namespace {

// Whether the open file is still the one the path names.
bool stillNamedBy(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return fstat(fd, &open) == 0 && stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

FileLock::~FileLock() {
    unlock();
}

void FileLock::unlock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    fd_ = -1;
}

Status FileLock::lock(const std::string& path, std::chrono::milliseconds patience) {
    using Clock = std::chrono::steady_clock;
    constexpr std::chrono::milliseconds kPause{20};
    const Clock::time_point giveUp = Clock::now() + patience;
    unlock();
    for (;;) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) return fileFailure(FailureKind::Read, path, errno);
        bool locked = false;
        while (!(locked = flock(fd_, LOCK_EX | LOCK_NB) == 0) &&
               (errno == EWOULDBLOCK || errno == EINTR) && Clock::now() < giveUp) {
            std::this_thread::sleep_for(kPause);
        }
        if (locked && stillNamedBy(fd_, path)) return {};
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        if (!locked && error != EWOULDBLOCK && error != EINTR)
            return {};  // a file system without locks: go on unlocked, as every program does
        if (!locked) {
            return Status::failure(
                FailureKind::Busy, path,
                _("locked by another program that is changing it; try again later"));
        }
        // Replaced while waiting: lock the file that took its place.
    }
}
