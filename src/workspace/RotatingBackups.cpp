#include "workspace/RotatingBackups.h"
#include "platform/Translate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "docfile/DocumentFile.h"
#include "fileio/AtomicFile.h"
#include "fileio/PosixFile.h"
#include "fileio/UserFolders.h"
#include "records/PimDocument.h"
#include "records/StampText.h"

namespace {

constexpr const char* kEnding = ".pgr";
constexpr int kNumberDigits = 8;

// The versions' sequence numbers in the folder, oldest first.
std::vector<long> sequence(const std::string& folder) {
    std::vector<long> numbers;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& file = entry.path();
        if (file.extension() != kEnding) continue;
        const std::string stem = file.stem();
        if (stem.size() != kNumberDigits ||
            !std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        numbers.push_back(std::stol(stem));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string versionFile(const std::string& folder, long number) {
    char name[32];
    std::snprintf(name, sizeof name, "%0*ld%s", kNumberDigits, number, kEnding);
    return folder + "/" + name;
}

// Whether the two files hold the same bytes, read a piece at a time.
bool sameBytes(const std::string& one, const std::string& other) {
    std::ifstream a(one, std::ios::binary);
    std::ifstream b(other, std::ios::binary);
    if (!a || !b) return false;
    std::array<char, 65536> pieceA;
    std::array<char, 65536> pieceB;
    while (a && b) {
        a.read(pieceA.data(), pieceA.size());
        b.read(pieceB.data(), pieceB.size());
        if (a.gcount() != b.gcount() ||
            !std::equal(pieceA.begin(), pieceA.begin() + a.gcount(), pieceB.begin()))
            return false;
    }
    return a.eof() && b.eof();
}

// Copies `from` to `to`, readable by the user alone, a piece at a time: a save of a huge
// document must not need it in memory twice.
Status copyPrivately(const std::string& from, const std::string& to) {
    const int fd = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fileFailure(FailureKind::Read, from, errno);
    int readError = 0;
    WriteOptions options;
    options.permissions = 0600;
    const Status written = writeFileAtomically(
        to,
        [&](const ByteSink& sink) {
            std::array<char, 65536> piece;
            for (;;) {
                const ssize_t got = read(fd, piece.data(), piece.size());
                if (got < 0 && errno == EINTR) continue;
                if (got < 0) readError = errno;
                if (got <= 0) return got == 0;
                if (!sink(std::string_view(piece.data(), static_cast<size_t>(got)))) return false;
            }
        },
        options);
    close(fd);
    if (readError != 0) return fileFailure(FailureKind::Read, from, readError);
    return written;
}

}  // namespace

std::string RotatingBackups::folderFor(const std::string& documentPath) const {
    return folder_ + "/" + documentKeyedName(documentPath);
}

int RotatingBackups::keptNow() const {
    return kept_ ? std::clamp(kept_(), 0, kMostKept) : kDefaultKept;
}

Status RotatingBackups::keepCurrent(const std::string& documentPath, bool evenWhenOff,
                                    std::string* added) const {
    if (added != nullptr) added->clear();
    if (keptNow() == 0 && !evenWhenOff) return {};
    struct stat st {};
    if (stat(documentPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};

    const std::string folder = folderFor(documentPath);
    if (const std::string problem = makePrivateFolder(folder); !problem.empty())
        return Status::failure(FailureKind::Write, folder, problem);
    const std::vector<long> numbers = sequence(folder);
    // A save that changed nothing, or the one after a restore, would only repeat it.
    if (!numbers.empty() && sameBytes(documentPath, versionFile(folder, numbers.back()))) return {};
    const long next = numbers.empty() ? 1 : numbers.back() + 1;
    const std::string file = versionFile(folder, next);
    if (Status copied = copyPrivately(documentPath, file); !copied) return copied;
    // The version carries the time it was saved, which is what a list of them shows.
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    (void)utimensat(AT_FDCWD, file.c_str(), times, 0);
    if (added != nullptr) *added = file;
    return {};
}

void RotatingBackups::prune(const std::string& documentPath) const {
    // Keeping none drops those kept before too: the user asked for no copies on disk.
    const int kept = keptNow();
    const std::string folder = folderFor(documentPath);
    const std::vector<long> numbers = sequence(folder);
    const auto keep = static_cast<size_t>(kept);
    std::error_code ignored;
    for (size_t i = 0; i + keep < numbers.size(); ++i)
        std::filesystem::remove(versionFile(folder, numbers[i]), ignored);
}

std::vector<BackupVersion> RotatingBackups::versions(const std::string& documentPath) const {
    const std::string folder = folderFor(documentPath);
    const std::vector<long> numbers = sequence(folder);
    std::vector<BackupVersion> found;
    int number = 0;
    for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) {
        BackupVersion version;
        version.number = ++number;
        version.file = versionFile(folder, *it);
        struct stat st {};
        if (stat(version.file.c_str(), &st) == 0) version.savedAt = st.st_mtim.tv_sec;
        found.push_back(std::move(version));
    }
    return found;
}

std::string savedText(const BackupVersion& version) {
    return stampText(DateTime::fromSeconds(version.savedAt));
}

std::string describeVersion(const BackupVersion& version, const Clock& clock) {
    const std::string saved = savedText(version);
    PimDocument document(clock);
    if (const Status loaded = loadDocument(document, version.file); !loaded)
        return saved + '\t' + fillIn(_("cannot be read: %s"), {loaded.message()});
    return saved + '\t' + countText(NP_("%d persons", "%d persons"), document.persons().size()) +
           '\t' + countText(NP_("%d tasks", "%d tasks"), document.tasks().size()) + '\t' +
           countText(NP_("%d appointments", "%d appointments"), document.appointments().size());
}
