#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "fileio/TextEncoding.h"

// The bytes of a file read whole, in memory of their own rather than in a std::string:
// the memory is not cleared before the bytes go in, a large file gets huge pages where
// the system offers them (one page fault for 2 MB instead of 512), and a reader that is
// done with the front of the bytes can hand that part back while it reads the rest, so
// that what it builds and the bytes it builds from are not held in full at once.
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    // The bytes; those before released() must not be read any more.
    [[nodiscard]] std::string_view view() const { return {data_, size_}; }
    [[nodiscard]] size_t size() const { return size_; }
    // How many bytes at the front have been handed back.
    [[nodiscard]] size_t released() const { return released_; }

    // Hands back the memory of the bytes before `offset`, as far as it fills whole
    // pieces of kReleaseUnit bytes; reading them afterwards gives zeros. Returns the new
    // released(), which may stay below `offset`.
    size_t releaseBefore(size_t offset);

    // Makes room for at least `size` bytes, keeping those read so far; false when there
    // is not enough memory (nothing changes then).
    [[nodiscard]] bool reserve(size_t size);
    // Room for bytes after size(), up to the capacity reserved.
    [[nodiscard]] char* spare() { return data_ + size_; }
    [[nodiscard]] size_t spareSize() const { return capacity_ - size_; }
    // Counts `count` more bytes written into spare() as part of the file.
    void grow(size_t count) { size_ += count; }

    // What scanUtf8UpToZero says of all the bytes, when it was found as they came in.
    [[nodiscard]] const std::optional<Utf8Scan>& utf8Scan() const { return utf8Scan_; }
    void setUtf8Scan(Utf8Scan scan) { utf8Scan_ = scan; }

    // Memory is handed back in pieces of this size: huge pages, where there are any, are
    // handed back whole.
    static constexpr size_t kReleaseUnit = size_t{2} << 20;

private:
    void unmap();

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    size_t released_ = 0;
    std::optional<Utf8Scan> utf8Scan_;
};

// Replaces `bytes` with the UTF-8 form of the text at [from, from + length) of them, as
// utf8WithWindows1252Fallback reads it, handing back the memory of the old bytes as the new
// ones are made, so that both are never held in full at once. False when there is not
// enough memory; the old bytes may be partly handed back then.
[[nodiscard]] bool convertToUtf8(FileBytes& bytes, size_t from, size_t length);
