#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "fileio/FileLock.h"
#include "fileio/FileStamp.h"
#include "platform/Status.h"
#include "records/DateTime.h"

class PimDocument;
struct PimContents;

// A recovery copy that a run of the program left behind when it ended without saving or
// closing (killed, crashed, the power cut).
struct LeftCopy {
    std::string file;               // the copy itself
    std::string documentPath;       // "" for a document never saved
    std::optional<FileStamp> base;  // the document's file as it was when the changes began
    int64_t keptAt = 0;             // when the copy was written, seconds since 1970
    // Held while the copy is decided on, so that another run starting meanwhile leaves it.
    std::shared_ptr<FileLock> claim;
};

// The recovery copies of unsaved changes in one folder: this run's own copy, replaced
// each time it is kept, and the copies of runs that are over. Each run holds a lock beside
// its copy for as long as it lives; a copy whose lock is free was left behind. Copies are
// readable by the user alone. A copy may be written on a thread of the object's own, so
// that writing a large document does not hold up the window.
class RecoveryCopies {
public:
    // What the copies written on the object's thread came to since last asked.
    struct Outcome {
        size_t written = 0;             // copies that reached the disk
        Status failure;                 // the last that did not
        bool busy = false;              // one is still waiting or being written
        bool holdsEveryChange = false;  // the copy on disk holds every change there is
    };

    explicit RecoveryCopies(std::string folder);
    // Waits for a copy being written before it goes.
    ~RecoveryCopies();
    RecoveryCopies(const RecoveryCopies&) = delete;
    RecoveryCopies& operator=(const RecoveryCopies&) = delete;

    [[nodiscard]] const std::string& folder() const { return folder_; }

    // Writes the document, with its path and `base`, as this run's copy in one piece.
    Status keep(const PimDocument& document, const std::optional<FileStamp>& base);
    // Takes the records as they are now and writes them as keep does on the object's
    // thread; nothing while it still writes the last (current() says so, and the caller asks
    // again). A Write failure when the folder or the copy's lock cannot be made; how the
    // write went, `collect` says.
    Status keepLater(const PimDocument& document, const std::optional<FileStamp>& base);
    // The document changed: the copy on disk no longer holds every change.
    void changed();
    // Whether the last copy taken holds every change (written or not).
    [[nodiscard]] bool current() const { return current_; }
    // What the copies written on the object's thread came to since last asked.
    [[nodiscard]] Outcome collect();
    // Waits until the copies taken are written.
    void settle();
    // Removes this run's copy, if there is one, after the one being written.
    void drop();
    // Whether this run has a copy on disk.
    [[nodiscard]] bool kept() const { return kept_; }

    // The copies of runs that are over, newest first, each claimed.
    [[nodiscard]] std::vector<LeftCopy> leftBehind() const;
    // Reads a left copy's records into `contents`, which must be empty.
    [[nodiscard]] static Status read(const LeftCopy& copy, PimContents& contents, DateTime now);
    // Removes a left copy for good.
    static void discard(LeftCopy& copy);

private:
    // A copy the window asks the object's thread for: a document of its own, sharing the
    // records the window held when it asked, written as the copy of `path`.
    struct Request {
        std::unique_ptr<PimDocument> into;
        std::string path;
        std::optional<FileStamp> base;
    };

    [[nodiscard]] std::string copyPath() const;
    [[nodiscard]] std::string lockPath() const;
    // Names this run's copy and takes its lock, the first time.
    Status prepare();
    Status write(const PimDocument& document, const std::string& path,
                 const std::optional<FileStamp>& base);
    // The object's thread: writes what it is asked for.
    void writeRequested();

    std::string folder_;
    std::string name_;  // this run's copy and lock, without their endings
    FileLock lock_;
    std::atomic<bool> kept_ = false;
    bool current_ = false;

    std::mutex mutex_;  // guards what follows, shared with the object's thread
    std::condition_variable wake_;
    std::condition_variable settled_;
    std::optional<Request> request_;
    bool writing_ = false;
    bool stopping_ = false;
    Outcome outcome_;
    std::thread writer_;
};
