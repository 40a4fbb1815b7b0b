#include "fileio/StreamWrite.h"
#include "platform/Translate.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <ctime>
#include <new>
#include <string_view>
#include <utility>

#include "fileio/PosixFile.h"

namespace {

// Holds SIGPIPE back on this thread while it lives: a write to a pipe without a reader
// then fails with EPIPE instead of ending the process. A SIGPIPE that the writes raise is
// taken away again; one that was already pending stays.
class SigpipeBlock {
public:
    SigpipeBlock() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        blocked_ = pthread_sigmask(SIG_BLOCK, &pipe, &previous_) == 0;
    }
    ~SigpipeBlock() {
        if (!blocked_) return;
        if (!wasPending_) {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            const timespec now{0, 0};
            while (sigtimedwait(&pipe, nullptr, &now) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeBlock(const SigpipeBlock&) = delete;
    SigpipeBlock& operator=(const SigpipeBlock&) = delete;

private:
    sigset_t previous_{};
    bool wasPending_ = false;
    bool blocked_ = false;
};

}  // namespace

Status writeToDescriptor(int fd, const std::string& name,
                         const std::function<bool(const ByteSink&)>& produce) {
    const SigpipeBlock noSigpipe;
    int writeError = 0;
    const ByteSink sink = [&](std::string_view bytes) {
        if (writeError == 0 && !writeAll(fd, bytes)) writeError = errno != 0 ? errno : EIO;
        return writeError == 0;
    };
    try {
        if (!produce(sink) || writeError != 0)
            return fileFailure(FailureKind::Write, name, writeError != 0 ? writeError : EIO);
    } catch (const std::bad_alloc&) {
        return Status::failure(FailureKind::Write, name, _("not enough memory to write it"));
    }
    return {};
}

int descriptorNamedBy(const std::string& path) {
    static const std::pair<std::string_view, int> kStandard[] = {
        {"/dev/stdin", 0}, {"/dev/stdout", 1}, {"/dev/stderr", 2}};
    for (const auto& [name, fd] : kStandard) {
        if (path == name) return fcntl(fd, F_GETFD) >= 0 ? fd : -1;
    }
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(folder)) continue;
        const std::string_view number = std::string_view(path).substr(folder.size());
        int fd = -1;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), fd);
        if (error != std::errc() || end != number.data() + number.size() || fd < 0) return -1;
        return fcntl(fd, F_GETFD) >= 0 ? fd : -1;
    }
    return -1;
}

Status writeToStreamFile(const std::string& path,
                         const std::function<bool(const ByteSink&)>& produce) {
    int fd;
    // Opened without waiting: for a FIFO no reader is ENXIO, for a terminal line no wait
    // for the carrier. The writes then wait as writes to these files do.
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0 && errno == ENXIO)
        return Status::failure(FailureKind::Write, path, _("no program is reading it"));
    if (fd < 0) return fileFailure(FailureKind::Write, path, errno);
    if (const int flags = fcntl(fd, F_GETFL); flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    Status result = writeToDescriptor(fd, path, produce);
    if (::close(fd) != 0 && result.ok() && errno != EINTR)
        result = fileFailure(FailureKind::Write, path, errno);
    return result;
}
