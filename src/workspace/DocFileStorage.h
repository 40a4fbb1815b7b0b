#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>

#include "fileio/FileLock.h"
#include "fileio/FileStamp.h"
#include "workspace/DocumentStorage.h"
#include "workspace/RotatingBackups.h"

// Documents in their files on disk, for the window and the command line alike. It
// remembers how each file was when it last read or wrote it, so that a save can tell when
// another program changed the file in between; and every save takes the file's lock, the
// one each run of the command line holds while it changes a document, so that the two
// take turns instead of one writing between the other's check and write.
class DocFileStorage : public DocumentStorage {
public:
    // How long a save waits for another program that is changing the same document.
    static constexpr std::chrono::seconds kLockPatience{30};

    explicit DocFileStorage(std::chrono::milliseconds patience = kLockPatience)
        : patience_(patience) {}

    // Keeps the file at `path` locked until `release` (or the storage goes), so that a read,
    // a change and the write back are one turn. A Read failure when there is no such file,
    // a Busy one when another program keeps it locked too long.
    Status hold(const std::string& path);
    void release();

    Status load(PimDocument& document, const std::string& path) override;
    // Locks the file for the write unless it is held already; a file not there yet has
    // nothing to lock.
    Status save(const PimDocument& document, const std::string& path, SaveMode mode) override;
    std::optional<FileStamp> knownStamp(const std::string& path) const override;
    std::string takeNotice() override;

    // From now on each save keeps the file it replaces among `backups`.
    void keepBackups(RotatingBackups backups) { backups_ = std::move(backups); }

private:
    // Keeps the file about to be replaced, unless the save is bound to fail on the stamp;
    // the version made, "" for none.
    std::string keepPrevious(const std::string& path, SaveMode mode);

    std::chrono::milliseconds patience_;
    std::optional<RotatingBackups> backups_;
    std::string notice_;
    std::map<std::string, FileStamp> stamps_;
    std::string heldPath_;
    FileLock held_;
};
