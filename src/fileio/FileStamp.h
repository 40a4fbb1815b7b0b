#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

// Which file a path named and how it was at one moment. Another file put in its place, or
// the same file written to, gives another stamp; that is how a save tells that another
// program changed the file since it was read.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;      // since 1970
    int64_t modifiedNanoseconds = 0;  // within that second
    bool operator==(const FileStamp&) const = default;
};

// The stamp of what `fstat` or `stat` reported.
[[nodiscard]] FileStamp stampOf(const struct stat& st);

// The stamp of the file at `path` now, links followed; nothing when there is none.
[[nodiscard]] std::optional<FileStamp> currentStamp(const std::string& path);
