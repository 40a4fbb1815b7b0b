#include "workspace/RecoveryCopies.h"
#include "platform/Translate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <system_error>
#include <utility>

#include "docfile/DocumentReader.h"
#include "docfile/DocumentWriter.h"
#include "fileio/AtomicFile.h"
#include "fileio/UserFolders.h"
#include "records/PimContents.h"
#include "records/PimDocument.h"

namespace {

constexpr const char* kCopyEnding = ".recovery";
constexpr const char* kLockEnding = ".lock";
constexpr const char* kFirstLine = "Quillmate recovery copy 1\n";
constexpr mode_t kOwnerOnly = 0600;
// Far more than a header with the longest path takes.
constexpr std::streamsize kHeaderLimit = 1 << 16;

// Paths may hold any byte but NUL; the header is one field a line.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '%')
            out += "%25";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && text.compare(i, 3, "%25") == 0) {
            out += '%';
            i += 2;
        } else if (text[i] == '%' && text.compare(i, 3, "%0A") == 0) {
            out += '\n';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string header(const std::string& documentPath, const std::optional<FileStamp>& base) {
    std::ostringstream out;
    out << kFirstLine << "document " << escaped(documentPath) << '\n' << "based-on ";
    if (base) {
        out << base->device << ' ' << base->inode << ' ' << base->size << ' '
            << base->modifiedSeconds << ' ' << base->modifiedNanoseconds;
    } else {
        out << "none";
    }
    out << "\n\n";
    return out.str();
}

// Reads the header at the start of `bytes` into `copy`; the offset of the document's bytes,
// or nothing when this is no recovery copy.
std::optional<size_t> readHeader(const std::string& bytes, LeftCopy& copy) {
    if (!bytes.starts_with(kFirstLine)) return std::nullopt;
    const size_t end = bytes.find("\n\n");
    if (end == std::string::npos) return std::nullopt;
    std::istringstream lines(bytes.substr(0, end + 1));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        if (line.starts_with("document ")) {
            copy.documentPath = unescaped(line.substr(9));
        } else if (line.starts_with("based-on ") && line != "based-on none") {
            std::istringstream fields(line.substr(9));
            FileStamp stamp;
            if (fields >> stamp.device >> stamp.inode >> stamp.size >> stamp.modifiedSeconds >>
                stamp.modifiedNanoseconds)
                copy.base = stamp;
        }
    }
    return end + 2;
}

// A name no other run uses: the process and the moment it made its first copy.
std::string runName() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return "run-" + std::to_string(getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

// Makes the lock file if it is missing; false when it cannot be made.
bool touch(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kOwnerOnly);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

// The path as the next run finds it, which may start in another folder.
std::string absolutePath(std::string path) {
    std::error_code error;
    if (const auto absolute = std::filesystem::absolute(path, error); !path.empty() && !error)
        path = absolute.string();
    return path;
}

}  // namespace

RecoveryCopies::RecoveryCopies(std::string folder) : folder_(std::move(folder)) {}

RecoveryCopies::~RecoveryCopies() {
    if (writer_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        writer_.join();
    }
    // A run that ends with nothing to recover leaves nothing behind; one with a copy leaves
    // its lock too, free from now on, which is how the next run knows the copy was left.
    if (name_.empty() || kept_) return;
    std::error_code ignored;
    std::filesystem::remove(lockPath(), ignored);
}

std::string RecoveryCopies::copyPath() const {
    return folder_ + "/" + name_ + kCopyEnding;
}

std::string RecoveryCopies::lockPath() const {
    return folder_ + "/" + name_ + kLockEnding;
}

Status RecoveryCopies::prepare() {
    if (name_.empty()) {
        if (const std::string problem = makePrivateFolder(folder_); !problem.empty())
            return Status::failure(FailureKind::Write, folder_, problem);
        name_ = runName();
        // Held from now on: while it is, no other run takes this copy for a left one.
        if (!touch(lockPath()) || !lock_.lock(lockPath(), std::chrono::milliseconds(0))) {
            name_.clear();
            return Status::failure(FailureKind::Write, folder_,
                                   _("cannot lock a recovery copy here"));
        }
    }
    return {};
}

Status RecoveryCopies::keep(const PimDocument& document, const std::optional<FileStamp>& base) {
    if (Status ready = prepare(); !ready) return ready;
    // Not while the thread writes the same copy.
    settle();
    Status written = write(document, absolutePath(document.path()), base);
    if (written) kept_ = true;
    current_ = written.ok();
    return written;
}

Status RecoveryCopies::keepLater(const PimDocument& document,
                                 const std::optional<FileStamp>& base) {
    if (Status ready = prepare(); !ready) return ready;
    {
        const std::lock_guard lock(mutex_);
        // One at a time: the window asks again once that one is written.
        if (request_ || writing_) return {};
    }
    std::optional<Request> request;
    try {
        if (!writer_.joinable()) writer_ = std::thread([this] { writeRequested(); });
        // The copy shares the records, so taking it costs the window next to nothing; an
        // edit made while it is written takes its own record and leaves the copy's alone.
        auto into = std::make_unique<PimDocument>(document.clock());
        into->adoptContents(PimContents(document.contents()));
        request = Request{std::move(into), absolutePath(document.path()), base};
    } catch (const std::system_error&) {
        return keep(document, base);  // no thread to be had: here and now, as always
    } catch (const std::bad_alloc&) {
        return keep(document, base);  // written here and now, a piece at a time
    }
    {
        const std::lock_guard lock(mutex_);
        request_ = std::move(request);
    }
    wake_.notify_one();
    current_ = true;
    return {};
}

void RecoveryCopies::changed() {
    current_ = false;
}

RecoveryCopies::Outcome RecoveryCopies::collect() {
    const std::lock_guard lock(mutex_);
    Outcome outcome = std::exchange(outcome_, Outcome{});
    outcome.busy = request_.has_value() || writing_;
    outcome.holdsEveryChange = current_ && !outcome.busy && outcome.failure.ok() && kept_;
    return outcome;
}

void RecoveryCopies::settle() {
    std::unique_lock lock(mutex_);
    settled_.wait(lock, [&] { return !request_ && !writing_; });
}

void RecoveryCopies::writeRequested() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || request_.has_value(); });
        if (!request_) return;
        Request request = std::move(*request_);
        request_.reset();
        writing_ = true;
        lock.unlock();
        const Status written = write(*request.into, request.path, request.base);
        // Records the window no longer holds are freed here, off the window's thread.
        request.into.reset();
        lock.lock();
        writing_ = false;
        if (written) {
            ++outcome_.written;
            kept_ = true;
        } else {
            outcome_.failure = written;
        }
        settled_.notify_all();
    }
}

Status RecoveryCopies::write(const PimDocument& document, const std::string& path,
                             const std::optional<FileStamp>& base) {
    WriteOptions options;
    options.permissions = kOwnerOnly;
    const std::string top = header(path, base);
    return writeFileAtomically(
        copyPath(),
        [&](const ByteSink& sink) { return sink(top) && writeDocument(document, sink); }, options);
}

void RecoveryCopies::drop() {
    if (name_.empty()) return;
    // One being written would otherwise come back after the removal.
    settle();
    current_ = false;
    std::error_code ignored;
    std::filesystem::remove(copyPath(), ignored);
    kept_ = false;
}

std::vector<LeftCopy> RecoveryCopies::leftBehind() const {
    std::vector<LeftCopy> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        const std::filesystem::path& file = entry.path();
        if (file.extension() != kCopyEnding || file.stem() == name_) continue;
        if (!entry.is_regular_file(error)) continue;
        const std::string lock = folder_ + "/" + file.stem().string() + kLockEnding;
        auto claim = std::make_shared<FileLock>();
        // A run still living holds its lock: its copy is no left one. Where nothing can be
        // locked, every copy may be a living run's.
        if (!touch(lock) || !claim->lock(lock, std::chrono::milliseconds(0)) || !claim->held())
            continue;
        LeftCopy copy;
        copy.file = file;
        // The header is all that is asked about here; the records wait for a restore.
        std::string head(kHeaderLimit, '\0');
        std::ifstream in(file, std::ios::binary);
        head.resize(static_cast<size_t>(in.read(head.data(), kHeaderLimit).gcount()));
        if (!readHeader(head, copy)) continue;
        struct stat st {};
        if (stat(copy.file.c_str(), &st) == 0) copy.keptAt = st.st_mtim.tv_sec;
        copy.claim = std::move(claim);
        found.push_back(std::move(copy));
    }
    std::sort(found.begin(), found.end(),
              [](const LeftCopy& a, const LeftCopy& b) { return a.keptAt > b.keptAt; });
    return found;
}

Status RecoveryCopies::read(const LeftCopy& copy, PimContents& contents, DateTime now) {
    std::string bytes;
    if (Status status = readWholeFile(copy.file, bytes); !status) return status;
    LeftCopy again;
    const auto start = readHeader(bytes, again);
    if (!start) return Status::failure(FailureKind::Content, copy.file, _("not a recovery copy"));
    return readDocumentText(std::string_view(bytes).substr(*start), contents, now)
        .inFile(copy.file);
}

void RecoveryCopies::discard(LeftCopy& copy) {
    std::error_code ignored;
    std::filesystem::remove(copy.file, ignored);
    std::filesystem::path lock(copy.file);
    lock.replace_extension(kLockEnding);
    std::filesystem::remove(lock, ignored);
    copy.claim.reset();
}
