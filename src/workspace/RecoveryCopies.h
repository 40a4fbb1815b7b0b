#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
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
// readable by the user alone.
class RecoveryCopies {
public:
    explicit RecoveryCopies(std::string folder);
    ~RecoveryCopies();
    RecoveryCopies(const RecoveryCopies&) = delete;
    RecoveryCopies& operator=(const RecoveryCopies&) = delete;

    [[nodiscard]] const std::string& folder() const { return folder_; }

    // Writes the document, with its path and `base`, as this run's copy in one piece.
    Status keep(const PimDocument& document, const std::optional<FileStamp>& base);
    // Removes this run's copy, if there is one.
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
    [[nodiscard]] std::string copyPath() const;
    [[nodiscard]] std::string lockPath() const;

    std::string folder_;
    std::string name_;  // this run's copy and lock, without their endings
    FileLock lock_;
    bool kept_ = false;
};
