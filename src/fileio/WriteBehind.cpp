#include "fileio/WriteBehind.h"
#include "platform/Translate.h"

#include <fcntl.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "fileio/PosixFile.h"

namespace {

// The bytes go to the writing thread in pieces of this size.
constexpr size_t kPiece = size_t{1} << 20;
// At most this many pieces wait for it, which bounds the memory a save takes besides its own.
constexpr size_t kWaiting = 4;
// How much is written before the disk is asked to start on it.
constexpr off_t kWritebackStep = off_t{8} << 20;

// Writes to the file and starts the disk on each few megabytes written.
class FileFeed {
public:
    explicit FileFeed(int fd) : fd_(fd) {}

    // 0, or the errno of the failed write.
    int write(std::string_view bytes) {
        if (!writeAll(fd_, bytes)) return errno != 0 ? errno : EIO;
        written_ += static_cast<off_t>(bytes.size());
        if (written_ - started_ >= kWritebackStep) {
            (void)sync_file_range(fd_, started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
            started_ = written_;
        }
        return 0;
    }

private:
    int fd_;
    off_t written_ = 0;
    off_t started_ = 0;
};

// Takes the bytes as a sink and hands them, piece by piece and in order, to a thread that
// writes them. A file of less than a piece is written without a thread.
class Writer {
public:
    explicit Writer(int fd) : feed_(fd) { filling_.reserve(kPiece); }
    ~Writer() { stop(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // The sink: false once a write failed.
    bool take(std::string_view bytes) {
        while (!bytes.empty()) {
            const size_t size = std::min(bytes.size(), kPiece - filling_.size());
            filling_.append(bytes.substr(0, size));
            bytes.remove_prefix(size);
            if (filling_.size() == kPiece && !handOver()) return false;
        }
        return error_ == 0;
    }

    // Writes what is left and waits for every write; 0, or the errno of the first failure.
    int finish() {
        if (!thread_.joinable()) alone_ = true;  // less than a piece: no thread for it
        if (!filling_.empty() && error_ == 0) (void)handOver();
        stop();
        return error_;
    }

private:
    bool handOver() {
        if (!thread_.joinable() && !alone_) {
            try {
                thread_ = std::thread([this] { run(); });
            } catch (const std::system_error&) {
                alone_ = true;  // no thread to be had: the bytes are written here
            }
        }
        if (alone_) {
            error_ = feed_.write(filling_);
            filling_.clear();
            return error_ == 0;
        }
        std::string next;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return waiting_.size() < kWaiting || error_ != 0; });
            if (error_ != 0) return false;
            waiting_.push_back(std::move(filling_));
            if (!spare_.empty()) {
                next = std::move(spare_.back());
                spare_.pop_back();
            }
        }
        changed_.notify_all();
        filling_ = std::move(next);
        filling_.reserve(kPiece);
        return true;
    }

    // The writing thread: writes each piece as it comes until the queue is closed. After a
    // failure the rest are dropped, the file being of no use.
    void run() {
        std::unique_lock lock(mutex_);
        while (true) {
            changed_.wait(lock, [&] { return !waiting_.empty() || closed_; });
            if (waiting_.empty()) return;
            std::string piece = std::move(waiting_.front());
            waiting_.pop_front();
            lock.unlock();
            const int error = error_ == 0 ? feed_.write(piece) : 0;
            piece.clear();
            lock.lock();
            if (error != 0) error_ = error;
            spare_.push_back(std::move(piece));
            changed_.notify_all();
        }
    }

    void stop() {
        if (!thread_.joinable()) return;
        {
            const std::lock_guard lock(mutex_);
            closed_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    FileFeed feed_;
    std::string filling_;  // the piece being made
    bool alone_ = false;   // no thread could be started
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> waiting_;
    std::vector<std::string> spare_;  // written pieces, kept for their memory
    bool closed_ = false;
    std::atomic<int> error_{0};
    std::thread thread_;
};

}  // namespace

Status writeBehind(int fd, const std::string& name,
                   const std::function<bool(const ByteSink&)>& produce) {
    try {
        Writer writer(fd);
        const bool produced = produce([&](std::string_view bytes) { return writer.take(bytes); });
        const int error = writer.finish();
        if (error != 0) return fileFailure(FailureKind::Write, name, error);
        if (!produced) return fileFailure(FailureKind::Write, name, EIO);
    } catch (const std::bad_alloc&) {
        return Status::failure(FailureKind::Write, name, _("not enough memory to write it"));
    }
    return {};
}
