#include "fileio/StreamWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

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
    if (!produce(sink) || writeError != 0)
        return fileFailure(FailureKind::Write, name, writeError != 0 ? writeError : EIO);
    return {};
}

Status writeToStreamFile(const std::string& path,
                         const std::function<bool(const ByteSink&)>& produce) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return fileFailure(FailureKind::Write, path, errno);
    Status result = writeToDescriptor(fd, path, produce);
    if (::close(fd) != 0 && result.ok() && errno != EINTR)
        result = fileFailure(FailureKind::Write, path, errno);
    return result;
}
