#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>

#include "fileio/AtomicFile.h"
#include "fileio/FileBytes.h"
#include "fileio/PosixFile.h"
#include "platform/Translate.h"

namespace {

// Reads from `fd` until its end into `bytes`, which holds room for the expected size.
// 0, ENOMEM when the bytes outgrow the memory, or the errno of the failure.
int readToEnd(int fd, FileBytes& bytes) {
    // Read a piece at a time, each scanned for UTF-8 while the caches still hold it: a
    // scan of the whole afterwards would fetch a large file from memory once more.
    constexpr size_t kPiece = size_t{256} << 10;  // within the caches of one core
    Utf8Scanner scanner;
    for (;;) {
        if (bytes.spareSize() == 0) {
            if (bytes.size() > SIZE_MAX / 4) return EFBIG;
            if (!bytes.reserve(bytes.size() * 2 + 4096)) return ENOMEM;
        }
        const ssize_t n = ::read(fd, bytes.spare(), std::min(bytes.spareSize(), kPiece));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) {
            bytes.setUtf8Scan(scanner.finish(bytes.view()));
            return 0;
        }
        bytes.grow(static_cast<size_t>(n));
        scanner.scanMore(bytes.view());
    }
}

}  // namespace

Status readWholeFile(const std::string& path, FileBytes& contents, FileStamp* stamp) {
    int fd = -1;
    struct stat st {};
    if (Status opened = openRegularFile(path, fd, st); !opened) return opened;
    FileBytes bytes;
    // The size is a hint only: the file may grow or shrink while it is read. One byte
    // more lets the end show itself without another round.
    const int error = bytes.reserve(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0) + 1)
                          ? readToEnd(fd, bytes)
                          : ENOMEM;
    ::close(fd);
    if (error == ENOMEM)
        return Status::failure(FailureKind::Read, path, _("not enough memory to hold it"));
    if (error != 0) return fileFailure(FailureKind::Read, path, error);
    contents = std::move(bytes);
    if (stamp != nullptr) *stamp = stampOf(st);
    return {};
}

Status readWholeFile(const std::string& path, std::string& contents, FileStamp* stamp) {
    FileBytes bytes;
    FileStamp read;
    if (Status status = readWholeFile(path, bytes, &read); !status) return status;
    try {
        contents.assign(bytes.view());
    } catch (const std::bad_alloc&) {
        return Status::failure(FailureKind::Read, path, _("not enough memory to hold it"));
    }
    if (stamp != nullptr) *stamp = read;
    return {};
}
