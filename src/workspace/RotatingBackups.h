#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Status.h"

class Clock;

// One earlier version of a document.
struct BackupVersion {
    int number = 0;       // 1 for the newest
    std::string file;     // where it is kept
    int64_t savedAt = 0;  // when this version was saved, seconds since 1970
};

// The earlier versions of documents, kept in a folder of their own per document: each save
// keeps the file it replaces as the newest version and drops the oldest beyond the number
// the user chose. Versions are readable by the user alone.
class RotatingBackups {
public:
    static constexpr int kDefaultKept = 10;
    static constexpr int kMostKept = 100;

    // `kept` is asked at each save, so that a changed setting holds at once.
    RotatingBackups(std::string folder, std::function<int()> kept)
        : folder_(std::move(folder)), kept_(std::move(kept)) {}

    // Keeps the file at `documentPath`, as it is now, as the newest version, unless the
    // newest kept already has the same bytes; `added` gets the file of the version made
    // ("" for none), so that a save that then fails can drop it. With none to be kept
    // nothing is added, unless `evenWhenOff` (a restore keeps what it replaces, so that
    // another restore undoes it). No file yet: nothing to keep. Drops nothing: see prune.
    Status keepCurrent(const std::string& documentPath, bool evenWhenOff = false,
                       std::string* added = nullptr) const;
    // Drops the oldest versions beyond the number kept, once a save has replaced the
    // file; turned off (0), it drops them all.
    void prune(const std::string& documentPath) const;
    // The versions kept of the document, newest first.
    [[nodiscard]] std::vector<BackupVersion> versions(const std::string& documentPath) const;
    // The folder holding the document's versions.
    [[nodiscard]] std::string folderFor(const std::string& documentPath) const;

private:
    [[nodiscard]] int keptNow() const;

    std::string folder_;
    std::function<int()> kept_;
};

// When the version was saved, local time, as the listing shows it: "2026-12-06 10:00:00".
[[nodiscard]] std::string savedText(const BackupVersion& version);
// "SAVED<TAB>P persons<TAB>T tasks<TAB>A appointments" for a version, the time local,
// or "SAVED<TAB>cannot be read: WHY".
[[nodiscard]] std::string describeVersion(const BackupVersion& version, const Clock& clock);
