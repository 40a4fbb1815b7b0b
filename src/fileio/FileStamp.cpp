#include "fileio/FileStamp.h"

FileStamp stampOf(const struct stat& st) {
    // Seconds and nanoseconds apart: as one count they would overflow for times after 2262.
    return FileStamp{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                     static_cast<int64_t>(st.st_size), static_cast<int64_t>(st.st_mtim.tv_sec),
                     static_cast<int64_t>(st.st_mtim.tv_nsec)};
}

std::optional<FileStamp> currentStamp(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return stampOf(st);
}
