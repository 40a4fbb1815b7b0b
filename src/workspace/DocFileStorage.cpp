#include "workspace/DocFileStorage.h"
#include "platform/Translate.h"

#include <filesystem>
#include <utility>

#include "docfile/DocumentFile.h"

Status DocFileStorage::hold(const std::string& path) {
    release();
    Status locked = held_.lock(path, patience_);
    if (locked) heldPath_ = path;
    return locked;
}

void DocFileStorage::release() {
    held_.unlock();
    heldPath_.clear();
}

Status DocFileStorage::load(PimDocument& document, const std::string& path) {
    FileStamp stamp;
    Status loaded = loadDocument(document, path, &stamp);
    if (loaded) stamps_[path] = stamp;
    return loaded;
}

Status DocFileStorage::save(const PimDocument& document, const std::string& path, SaveMode mode) {
    FileLock lock;
    if (path != heldPath_) {
        // A file that cannot be opened (not there yet) has no lock to take; the write
        // says what is wrong with the place, if anything.
        const Status locked = lock.lock(path, patience_);
        if (locked.kind() == FailureKind::Busy) return locked;
    }
    const std::string kept = keepPrevious(path, mode);
    WriteOptions options;
    if (const auto known = stamps_.find(path);
        known != stamps_.end() && mode == SaveMode::KeepOtherChanges) {
        options.unchangedSince = known->second;
    }
    FileStamp written;
    options.written = &written;
    Status saved = saveDocument(document, path, options);
    if (saved) {
        stamps_[path] = written;
        if (backups_) backups_->prune(path);
    } else if (!kept.empty()) {
        // The file is still that version: keeping it twice would push out an older one.
        std::error_code ignored;
        std::filesystem::remove(kept, ignored);
    }
    return saved;
}

std::optional<FileStamp> DocFileStorage::knownStamp(const std::string& path) const {
    const auto known = stamps_.find(path);
    if (known == stamps_.end()) return std::nullopt;
    return known->second;
}

std::string DocFileStorage::keepPrevious(const std::string& path, SaveMode mode) {
    if (!backups_) return "";
    if (const auto known = stamps_.find(path); known != stamps_.end() &&
                                               mode == SaveMode::KeepOtherChanges &&
                                               currentStamp(path) != known->second)
        return "";
    // A version that cannot be kept is no reason to refuse the save: the user is told.
    std::string added;
    if (const Status kept = backups_->keepCurrent(path, false, &added); !kept)
        notice_ = fillIn(_("The earlier version was not kept as a backup: %s"), {kept.message()});
    return added;
}

std::string DocFileStorage::takeNotice() {
    return std::exchange(notice_, std::string());
}
