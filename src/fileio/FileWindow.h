#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "fileio/FileStamp.h"
#include "platform/Status.h"

// The text of a file read a window at a time into one piece of memory, used over and over:
// a large file needs neither memory of its size, nor that memory cleared by the system, nor
// the bytes held beside what is made of them. The text is as a reader of the whole bytes
// takes it: without a leading UTF-8 byte-order mark, up to the first zero byte, each byte
// that is not part of a UTF-8 character read as Windows-1252.
class FileWindow {
public:
    // Little beside the records of a large document, and within a core's caches as it is read.
    static constexpr size_t kDefaultCapacity = size_t{1} << 20;

    // `capacity` bytes of memory, at least 64; only tests want another than the default.
    explicit FileWindow(size_t capacity = kDefaultCapacity) : capacity_(capacity) {}
    FileWindow(const FileWindow&) = delete;
    FileWindow& operator=(const FileWindow&) = delete;
    ~FileWindow();

    // Opens the regular file at `path` and reads the first window; its stamp goes to `stamp`
    // when given.
    Status open(const std::string& path, FileStamp* stamp = nullptr);

    // The text the window holds.
    [[nodiscard]] std::string_view text() const { return {buffer_.get(), filled_}; }
    // The memory the text lies in, all of it, wherever it stands in the window.
    [[nodiscard]] std::string_view memory() const { return {buffer_.get(), capacity_}; }
    // Moves the text from `keep` (in text()) on to the front of the window and reads more
    // after it, as much as fits; text() then holds the same text from `keep` on.
    void slide(const char* keep);
    // Whether the text has come to its end: text() holds the rest of it.
    [[nodiscard]] bool ended() const { return ended_; }
    // Why reading stopped before the end of the file; the text ends where it stopped.
    [[nodiscard]] const Status& failure() const { return failure_; }
    // Whether the text ended at a zero byte rather than at the end of the file.
    [[nodiscard]] bool endedAtZero() const { return endedAtZero_; }

private:
    void fill();
    // Reads into `to` until `room` bytes came or the file ended (true when it did).
    bool readUpTo(char* to, size_t room, size_t& got);
    // Puts `raw`, the bytes of whole characters, into the window as UTF-8, as much as fits in
    // `room`; returns how many of them it took.
    size_t convertInto(char* to, size_t room, std::string_view raw);

    struct Free {
        void operator()(char* p) const;
    };
    size_t capacity_;
    std::unique_ptr<char[], Free> buffer_;
    size_t filled_ = 0;
    int fd_ = -1;
    std::string path_;
    bool started_ = false;   // past the place of a byte-order mark
    bool fileDone_ = false;  // nothing more is read: the file or its text ended, or reading failed
    bool ended_ = false;
    bool endedAtZero_ = false;
    Status failure_;
    // Bytes read but not in the window yet: a character whose last bytes are still to come,
    // or what did not fit once converted. They stand before the rest of the file.
    std::string pending_;
    std::string scratch_;  // a copy of bytes being converted, which the window's room takes
};
