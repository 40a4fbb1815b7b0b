#include "fileio/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

Status readFailure(const std::string& path, int error) {
    return Status::failure(FailureKind::Read, path, std::strerror(error));
}

Status writeFailure(const std::string& path, int error) {
    return Status::failure(FailureKind::Write, path, std::strerror(error));
}

// The file a save replaces: the target itself, or the file a symbolic link names.
std::string resolvedTarget(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;  // a dangling link: replace the link itself
    std::string resolved(real);
    std::free(real);
    return resolved;
}

std::string directoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
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

// The permissions a new file gets: what the user's umask allows of rw-rw-rw-. The mask
// is read from /proc, since setting it to learn it would briefly change it for every
// thread of the process.
mode_t defaultMode() {
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

}  // namespace

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    return writeFileAtomically(path, [&](const ByteSink& sink) { return sink(bytes); });
}

Status writeFileAtomically(const std::string& path,
                           const std::function<bool(const ByteSink&)>& produce) {
    if (path.empty()) return Status::failure(FailureKind::Usage, "", "no file name given");
    const std::string target = resolvedTarget(path);

    mode_t mode = defaultMode();
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) return writeFailure(path, EISDIR);
        // A file marked read-only is meant to stay as it is, even for the superuser.
        if ((existing.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)
            return writeFailure(path, EACCES);
        mode = existing.st_mode & 07777;
    }

    // The temporary file lives beside the target so that the rename stays on one file
    // system; mkstemp makes its name unique between concurrent saves.
    std::string tempName = directoryOf(target) + "/.quillmate-XXXXXX";
    std::vector<char> name(tempName.begin(), tempName.end());
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    // The folder is what refused when no file can be made in it.
    if (fd < 0) {
        const int error = errno;
        return Status::failure(
            FailureKind::Write, directoryOf(target),
            std::string("cannot create a file in this folder: ") + std::strerror(error));
    }
    tempName = name.data();

    const auto fail = [&](int error, bool open) {
        if (open) ::close(fd);
        ::unlink(tempName.c_str());
        return writeFailure(path, error);
    };
    int writeError = 0;
    const ByteSink sink = [&](std::string_view bytes) {
        if (writeError == 0 && !writeAll(fd, bytes)) writeError = errno != 0 ? errno : EIO;
        return writeError == 0;
    };
    if (!produce(sink) || writeError != 0) return fail(writeError != 0 ? writeError : EIO, true);
    // File systems without Unix permissions (a FAT memory stick) may refuse this; the file
    // is just as good with mkostemp's owner-only permissions.
    (void)fchmod(fd, mode);
    if (fsync(fd) != 0) return fail(errno, true);
    if (::close(fd) != 0) return fail(errno, false);
    if (std::rename(tempName.c_str(), target.c_str()) != 0) return fail(errno, false);

    // Make the rename itself durable; the file is in place whatever this says.
    const int dir = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return {};
}

Status readWholeFile(const std::string& path, std::string& contents) {
    if (path.empty()) return Status::failure(FailureKind::Usage, "", "no file name given");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return readFailure(path, errno);
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return readFailure(path, error);
    }
    // The size is a hint only: the file may grow or shrink while it is read.
    std::string bytes;
    bytes.resize(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0) + 1);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return readFailure(path, error);
        }
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(filled);
    contents = std::move(bytes);
    return {};
}
