#include "fileio/TempFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kPrefix = ".quillmate-";
constexpr size_t kRandomLength = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Long enough that no save still writes to a file this old: each write refreshes it.
constexpr time_t kStaleSeconds = 3600;

bool isLetterOrDigit(char c) {
    return kLetters.find(c) != std::string_view::npos;
}

bool hasTempName(std::string_view name) {
    if (name.size() != kPrefix.size() + kRandomLength || !name.starts_with(kPrefix)) return false;
    for (const char c : name.substr(kPrefix.size()))
        if (!isLetterOrDigit(c)) return false;
    return true;
}

std::string randomName() {
    unsigned char random[kRandomLength] = {};
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        // Without the random source, the time and the process tell saves apart well enough;
        // a clash only costs another try.
        const auto seed = static_cast<unsigned long>(std::time(nullptr)) ^
                          (static_cast<unsigned long>(getpid()) << 16) ^
                          static_cast<unsigned long>(clock());
        for (size_t i = 0; i < kRandomLength; ++i)
            random[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string name(kPrefix);
    for (const unsigned char r : random)
        name += kLetters[r % kLetters.size()];
    return name;
}

// Linking an unnamed file into a directory goes through /proc, which needs no privilege.
bool canNameUnnamedFiles() {
    return access("/proc/self/fd", X_OK) == 0;
}

}  // namespace

TempFile::~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.empty()) ::unlink(name_.c_str());
}

int TempFile::open(const std::string& directory) {
    directory_ = directory;
    if (canNameUnnamedFiles()) {
        // Nobody can open it while it has no name, so it can be made with the permissions
        // a new file gets; a replaced file's own are set before it is named.
        fd_ = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) return 0;
        // The file system may not offer unnamed files: fall back to a named one.
    }
    std::string pattern = directory + "/" + std::string(kPrefix) + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) return errno;
    name_ = name.data();
    return 0;
}

int TempFile::link() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = directory_ + "/" + randomName();
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            name_ = name;
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int TempFile::replace(const std::string& target) {
    if (name_.empty()) {
        if (const int error = link(); error != 0) return error;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return errno;
    if (std::rename(name_.c_str(), target.c_str()) != 0) return errno;
    name_.clear();
    return 0;
}

void removeStaleTempFiles(const std::string& directory) {
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) return;
    const int dirFd = dirfd(dir);
    const time_t staleBefore = std::time(nullptr) - kStaleSeconds;
    while (const dirent* entry = readdir(dir)) {
        if (!hasTempName(entry->d_name)) continue;
        struct stat st {};
        if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(st.st_mode) && st.st_uid == geteuid() && st.st_mtime < staleBefore)
            unlinkat(dirFd, entry->d_name, 0);
    }
    closedir(dir);
}
