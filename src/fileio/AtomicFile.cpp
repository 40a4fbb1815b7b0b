#include "fileio/AtomicFile.h"
#include "platform/Translate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "fileio/FileOwnership.h"
#include "fileio/PosixFile.h"
#include "fileio/StreamWrite.h"
#include "fileio/TempFile.h"
#include "fileio/WriteBehind.h"

namespace {

// The file a save replaces or makes: the target itself, or the file its chain of symbolic
// links ends at, which need not exist yet (a link to a file still to be made stays a
// link). Empty, with errno set, for a loop or a link that cannot be read.
std::string resolvedTarget(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<size_t>(length) >= buffer.size()) {
            if (length >= 0) errno = ENAMETOOLONG;
            return "";
        }
        const std::string link(buffer.data(), static_cast<size_t>(length));
        path = link.starts_with('/') ? link : directoryOf(path) + "/" + link;
    }
    errno = ELOOP;
    return "";
}

}  // namespace

Status writeFileAtomically(const std::string& path, std::string_view bytes,
                           const WriteOptions& options) {
    return writeFileAtomically(
        path, [&](const ByteSink& sink) { return sink(bytes); }, options);
}

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    return writeFileAtomically(path, bytes, WriteOptions{});
}

Status writeFileAtomically(const std::string& path,
                           const std::function<bool(const ByteSink&)>& produce,
                           const WriteOptions& options) {
    if (path.empty()) return Status::failure(FailureKind::Usage, "", _("no file name given"));

    // A name for one of this process's descriptors is written through the descriptor.
    if (const int fd = descriptorNamedBy(path); fd >= 0)
        return writeToDescriptor(fd, path, produce);

    std::optional<struct stat> existing;
    if (struct stat st; stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fileFailure(FailureKind::Write, path, EISDIR);
        // A terminal, a pipe or /dev/null cannot be replaced by a file; what is written to
        // them goes straight in. Other devices are no place for a document.
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return writeToStreamFile(path, produce);
        if (!S_ISREG(st.st_mode))
            return Status::failure(FailureKind::Write, path, _("not a regular file"));
        // A file marked read-only is meant to stay as it is, even for the superuser.
        if ((st.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0)
            return fileFailure(FailureKind::Write, path, EACCES);
        existing = st;
    } else if (errno != ENOENT) {
        // A link loop or a folder that cannot be searched: nothing to write over.
        return fileFailure(FailureKind::Write, path, errno);
    }

    const std::string target = resolvedTarget(path);
    if (target.empty()) return fileFailure(FailureKind::Write, path, errno);
    const std::string directory = directoryOf(target);
    removeStaleTempFiles(directory);
    TempFile temp;
    // The folder is what refused when no file can be made in it.
    if (const int error = temp.open(directory); error != 0) {
        return Status::failure(
            FailureKind::Write, directory,
            fillIn(_("cannot create a file in this folder: %s"), {std::strerror(error)}));
    }

    // Made and written at once, the disk starting on the first megabytes meanwhile.
    if (Status written = writeBehind(temp.fd(), path, produce); !written) return written;
    if (options.permissions)
        (void)fchmod(temp.fd(), *options.permissions);
    else if (existing)
        takeOverOwnership(temp.fd(), *existing);
    else if (temp.named())
        (void)fchmod(temp.fd(), newFileMode());
    if (fsync(temp.fd()) != 0) return fileFailure(FailureKind::Write, path, errno);
    // The stamp of what this save wrote, taken from the file itself: read by name after
    // the rename it could be another program's change made in between.
    struct stat writtenStat {};
    const bool stamped = fstat(temp.fd(), &writtenStat) == 0;
    // Checked as late as can be, just before the file is replaced.
    if (options.unchangedSince && currentStamp(target) != options.unchangedSince) {
        return Status::failure(FailureKind::Conflict, path,
                               _("changed by another program since it was read; not overwritten"));
    }
    if (const int error = temp.replace(target); error != 0)
        return fileFailure(FailureKind::Write, path, error);

    // Make the rename itself durable; the file is in place whatever this says.
    const int dir = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    if (options.written != nullptr) *options.written = stamped ? stampOf(writtenStat) : FileStamp{};
    return {};
}
