#include "fileio/PosixFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Translate.h"

Status fileFailure(FailureKind kind, const std::string& path, int error) {
    return Status::failure(kind, path, std::strerror(error));
}

Status openRegularFile(const std::string& path, int& fd, struct stat& st) {
    if (path.empty()) return Status::failure(FailureKind::Usage, "", _("no file name given"));
    // Not blocking: a FIFO without a writer must not hang the open.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return fileFailure(FailureKind::Read, path, errno);
    int error = 0;
    if (fstat(fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    if (error == 0 && S_ISREG(st.st_mode)) return {};
    ::close(fd);
    fd = -1;
    return error != 0 ? fileFailure(FailureKind::Read, path, error)
                      : Status::failure(FailureKind::Read, path, _("not a regular file"));
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string directoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}
