#include "workspace/DocumentSettings.h"

#include <algorithm>

#include "platform/SettingsStore.h"
#include "workspace/RotatingBackups.h"

namespace {

constexpr const char* kFiles = "Files";
constexpr const char* kOpenLastFile = "OpenLastFile";
constexpr const char* kLastFileUsed = "LastFileUsed";
constexpr const char* kBackupsKept = "BackupsKept";
constexpr const char* kRecent = "Recent Document List";
constexpr const char* kDocumentCount = "DocumentCount";

std::string documentValueName(int i) {
    return "Document" + std::to_string(i);
}

}  // namespace

std::optional<bool> DocumentSettings::readOpenLastFile(bool writeBack) {
    if (!store_.hasSection(kFiles)) {
        if (writeBack) store_.writeNumber(kFiles, kOpenLastFile, 0);
        return std::nullopt;
    }
    const auto value = store_.readNumber(kFiles, kOpenLastFile);
    if (!value) return std::nullopt;
    return *value != 0;
}

void DocumentSettings::writeOpenLastFile(bool open) {
    store_.writeNumber(kFiles, kOpenLastFile, open ? 1 : 0);
}

std::optional<std::string> DocumentSettings::readLastFileUsed() {
    if (!store_.hasSection(kFiles)) {
        store_.writeText(kFiles, kLastFileUsed, "");
        return std::nullopt;
    }
    return store_.readText(kFiles, kLastFileUsed);
}

void DocumentSettings::writeLastFileUsed(const std::string& path) {
    store_.writeText(kFiles, kLastFileUsed, path);
}

RecentFileList DocumentSettings::readRecentFiles() const {
    RecentFileList list;
    const auto count = store_.readNumber(kRecent, kDocumentCount);
    if (!count) return list;
    // A stored count far out of range must not wrap into a small one.
    list.setMaximum(static_cast<int>(std::min<uint32_t>(*count, RecentFileList::kLargestMaximum)));
    for (int i = list.maximum(); i >= 1; --i) {
        if (const auto path = store_.readText(kRecent, documentValueName(i))) list.add(*path);
    }
    return list;
}

void DocumentSettings::writeRecentFiles(const RecentFileList& list) {
    store_.writeNumber(kRecent, kDocumentCount, static_cast<uint32_t>(list.maximum()));
    const auto& entries = list.entries();
    for (size_t i = 0; i < entries.size(); ++i)
        store_.writeText(kRecent, documentValueName(static_cast<int>(i + 1)), entries[i]);
    // Every slot past the list goes, the last one included, so that a stale entry can
    // never come back once the maximum is raised again.
    for (int i = static_cast<int>(entries.size()) + 1; i <= RecentFileList::kLargestMaximum; ++i)
        store_.removeValue(kRecent, documentValueName(i));
}

int DocumentSettings::readBackupsKept() const {
    const auto stored = store_.readNumber(kFiles, kBackupsKept);
    if (!stored) return RotatingBackups::kDefaultKept;
    return static_cast<int>(std::min<uint32_t>(*stored, RotatingBackups::kMostKept));
}

void DocumentSettings::writeBackupsKept(int kept) {
    store_.writeNumber(kFiles, kBackupsKept,
                       static_cast<uint32_t>(std::clamp(kept, 0, RotatingBackups::kMostKept)));
}
