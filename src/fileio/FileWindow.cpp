#include "fileio/FileWindow.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "fileio/PosixFile.h"
#include "fileio/TextEncoding.h"
#include "platform/Translate.h"

namespace {

// Where the last character of `bytes` starts when bytes still to come may complete it, else
// the end: the characters before it read the same whatever comes.
size_t endOfWholeCharacters(std::string_view bytes) {
    const size_t n = bytes.size();
    for (size_t back = 1; back <= 4 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(bytes[n - back]);
        if ((c & 0xC0) == 0x80) continue;
        const size_t length = (c & 0xE0) == 0xC0   ? 2
                              : (c & 0xF0) == 0xE0 ? 3
                              : (c & 0xF8) == 0xF0 ? 4
                                                   : 1;
        return length > back ? n - back : n;
    }
    return n;
}

}  // namespace

void FileWindow::Free::operator()(char* p) const {
    std::free(p);
}

FileWindow::~FileWindow() {
    if (fd_ >= 0) ::close(fd_);
}

Status FileWindow::open(const std::string& path, FileStamp* stamp) {
    struct stat st {};
    if (Status opened = openRegularFile(path, fd_, st); !opened) return opened;
    // Cleared, as fresh memory from the system is without another pass: a reader may look a
    // few bytes past the text, within memory().
    buffer_.reset(static_cast<char*>(std::calloc(capacity_, 1)));
    try {
        if (!buffer_) throw std::bad_alloc();
        path_ = path;
    } catch (const std::bad_alloc&) {
        return Status::failure(FailureKind::Read, path, _("not enough memory to hold it"));
    }
    if (stamp != nullptr) *stamp = stampOf(st);
    fill();
    return {};
}

void FileWindow::slide(const char* keep) {
    const auto kept = static_cast<size_t>(buffer_.get() + filled_ - keep);
    std::memmove(buffer_.get(), keep, kept);
    filled_ = kept;
    fill();
}

void FileWindow::fill() {
    // Room for the UTF-8 form of a few characters at least.
    constexpr size_t kLeastRoom = 16;
    while (!ended_ && capacity_ - filled_ >= kLeastRoom) {
        char* const to = buffer_.get() + filled_;
        const size_t room = capacity_ - filled_;
        size_t raw = std::min(pending_.size(), room);
        std::memcpy(to, pending_.data(), raw);
        pending_.erase(0, raw);
        if (pending_.empty() && !fileDone_) {
            size_t got = 0;
            fileDone_ = readUpTo(to + raw, room - raw, got);
            raw += got;
        }
        if (!started_) {
            // The first read fills the room or reaches the end: a mark is whole in it.
            started_ = true;
            const size_t mark = raw - withoutUtf8Bom(std::string_view(to, raw)).size();
            std::memmove(to, to + mark, raw - mark);
            raw -= mark;
        }
        const std::string_view piece(to, raw);
        // A character cut by the window's end waits for the rest of it, so that UTF-8 text
        // is not taken for other text and copied through the conversion.
        size_t whole = fileDone_ && pending_.empty() ? raw : endOfWholeCharacters(piece);
        const Utf8Scan scan = scanUtf8UpToZero(piece.substr(0, whole));
        if (scan.length < whole) {
            // The text ends at its first zero byte.
            whole = scan.length;
            fileDone_ = true;
            endedAtZero_ = true;
            pending_.clear();
        } else {
            pending_.insert(0, piece.substr(whole));
        }
        if (scan.valid) {
            filled_ += whole;
        } else {
            const size_t taken = convertInto(to, room, piece.substr(0, whole));
            pending_.insert(0, scratch_, taken);
        }
        ended_ = fileDone_ && pending_.empty();
    }
    if (fileDone_ && fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool FileWindow::readUpTo(char* to, size_t room, size_t& got) {
    got = 0;
    while (got < room) {
        const ssize_t n = ::read(fd_, to + got, room - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            failure_ = fileFailure(FailureKind::Read, path_, errno);
            return true;
        }
        if (n == 0) return true;
        got += static_cast<size_t>(n);
    }
    return false;
}

size_t FileWindow::convertInto(char* to, size_t room, std::string_view raw) {
    // Converted from a copy: the bytes lie where their UTF-8 form goes.
    scratch_.assign(raw);
    // As many pieces as their UTF-8 form fits; at least a third of the room, since no byte
    // turns into more than three and no character of four bytes into more than four.
    constexpr size_t kPiece = size_t{64} << 10;
    size_t stop = 0;
    size_t size = 0;
    while (stop < scratch_.size()) {
        size_t more = 0;
        const size_t next = convertWithWindows1252Fallback(
            scratch_, stop, std::min(stop + kPiece, scratch_.size()), nullptr, more);
        if (size + more > room) break;
        size += more;
        stop = next;
    }
    if (stop == 0) stop = room / 3 - 1;
    size_t made = 0;
    const size_t taken = convertWithWindows1252Fallback(scratch_, 0, stop, to, made);
    filled_ += made;
    return taken;
}
