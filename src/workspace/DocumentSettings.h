#pragma once

#include <optional>
#include <string>

#include "workspace/RecentFileList.h"

class SettingsStore;

// The per-user settings that follow the documents: which file to open at start, the recent
// files and how many earlier versions each save keeps. Every call is one short access to
// the store; nothing is cached here.
class DocumentSettings {
public:
    explicit DocumentSettings(SettingsStore& store) : store_(store) {}

    // `OpenLastFile`; nothing when it cannot be read. With `writeBack`, a missing
    // `Files` section is created holding the default 0.
    [[nodiscard]] std::optional<bool> readOpenLastFile(bool writeBack = true);
    void writeOpenLastFile(bool open);

    // `LastFileUsed`; nothing when it cannot be read. A missing `Files` section is
    // created holding "".
    [[nodiscard]] std::optional<std::string> readLastFileUsed();
    void writeLastFileUsed(const std::string& path);

    // The recent-file list and its maximum; empty with maximum 4 when not stored.
    [[nodiscard]] RecentFileList readRecentFiles() const;
    // Stores the maximum and the entries (`Document1` the newest) and removes the
    // values of entries that no longer exist.
    void writeRecentFiles(const RecentFileList& list);

    // How many earlier versions each save keeps (`BackupsKept`), at most
    // RotatingBackups::kMostKept; the default when not stored.
    [[nodiscard]] int readBackupsKept() const;
    void writeBackupsKept(int kept);

private:
    SettingsStore& store_;
};
