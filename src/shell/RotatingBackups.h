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

    // Keeps the file at `documentPath`, as it is now, as the newest version, then drops the
    // oldest beyond the number kept. With none to be kept nothing is added, unless
    // `evenWhenOff` (a restore keeps what it replaces, so that another restore undoes it).
    // No file yet: nothing to keep.
    Status keepCurrent(const std::string& documentPath, bool evenWhenOff = false) const;
    // The versions kept of the document, newest first.
    [[nodiscard]] std::vector<BackupVersion> versions(const std::string& documentPath) const;
    // The folder holding the document's versions.
    [[nodiscard]] std::string folderFor(const std::string& documentPath) const;

private:
    std::string folder_;
    std::function<int()> kept_;
};

// "SAVED<TAB>P persons<TAB>T tasks<TAB>A appointments" for a version, the time local,
// or "SAVED<TAB>cannot be read: WHY".
[[nodiscard]] std::string describeVersion(const BackupVersion& version, const Clock& clock);
