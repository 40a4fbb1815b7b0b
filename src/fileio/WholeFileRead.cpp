#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>

#include "fileio/AtomicFile.h"
#include "fileio/PosixFile.h"

namespace {

// Reads from `fd` until its end into `bytes`, which holds room for the expected size.
// 0, or the errno of the failure.
int readToEnd(int fd, std::string& bytes) {
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    bytes.resize(filled);
    return 0;
}

}  // namespace

Status readWholeFile(const std::string& path, std::string& contents, FileStamp* stamp) {
    if (path.empty()) return Status::failure(FailureKind::Usage, "", "no file name given");
    // Not blocking: a FIFO without a writer must not hang the open. Only regular files are
    // read, since a device or a pipe may never end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return fileFailure(FailureKind::Read, path, errno);
    struct stat st {};
    int error = 0;
    if (fstat(fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    if (error != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return error != 0 ? fileFailure(FailureKind::Read, path, error)
                          : Status::failure(FailureKind::Read, path, "not a regular file");
    }
    std::string bytes;
    try {
        // The size is a hint only: the file may grow or shrink while it is read.
        bytes.resize(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0) + 1);
        error = readToEnd(fd, bytes);
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return Status::failure(FailureKind::Read, path, "not enough memory to hold it");
    } catch (const std::length_error&) {
        error = EFBIG;
    }
    ::close(fd);
    if (error != 0) return fileFailure(FailureKind::Read, path, error);
    contents = std::move(bytes);
    if (stamp != nullptr) *stamp = stampOf(st);
    return {};
}
