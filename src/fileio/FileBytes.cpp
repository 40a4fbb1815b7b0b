#include "fileio/FileBytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "fileio/TextEncoding.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUILLMATE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLMATE_ASAN 1
#endif
#endif
#ifdef QUILLMATE_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace {

size_t roundUp(size_t size, size_t unit) {
    return (size + unit - 1) / unit * unit;
}

// Tells AddressSanitizer which bytes may not be read, as it knows it of the heap.
void forbid([[maybe_unused]] const char* from, [[maybe_unused]] size_t size) {
#ifdef QUILLMATE_ASAN
    ASAN_POISON_MEMORY_REGION(from, size);
#endif
}
void allow([[maybe_unused]] const char* from, [[maybe_unused]] size_t size) {
#ifdef QUILLMATE_ASAN
    ASAN_UNPOISON_MEMORY_REGION(from, size);
#endif
}

// Fresh memory of `size` bytes; from kReleaseUnit on, aligned to it and marked for huge
// pages, so that the pieces handed back are whole huge pages. nullptr when there is none.
char* mapFresh(size_t size) {
    constexpr size_t unit = FileBytes::kReleaseUnit;
    const bool large = size >= unit;
    const size_t mapped = large ? size + unit : size;
    void* const p =
        mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    if (!large) return static_cast<char*>(p);
    const auto start = reinterpret_cast<uintptr_t>(p);
    const uintptr_t aligned = roundUp(start, unit);
    if (aligned != start) munmap(p, aligned - start);
    if (const size_t tail = start + mapped - (aligned + size); tail != 0)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    // Only advice: without huge pages the memory works all the same.
    (void)madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<char*>(aligned);
}

}  // namespace

FileBytes::FileBytes(FileBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      released_(std::exchange(other.released_, 0)),
      utf8Scan_(std::exchange(other.utf8Scan_, std::nullopt)) {}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        unmap();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        released_ = std::exchange(other.released_, 0);
        utf8Scan_ = std::exchange(other.utf8Scan_, std::nullopt);
    }
    return *this;
}

FileBytes::~FileBytes() {
    unmap();
}

void FileBytes::unmap() {
    if (data_ == nullptr) return;
    allow(data_, capacity_);
    munmap(data_, capacity_);
    data_ = nullptr;
    size_ = capacity_ = released_ = 0;
    utf8Scan_.reset();
}

bool FileBytes::reserve(size_t size) {
    if (size <= capacity_) return true;
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    if (size > SIZE_MAX / 2) return false;
    const size_t capacity = roundUp(size, size >= kReleaseUnit ? kReleaseUnit : page);
    char* const fresh = mapFresh(capacity);
    if (fresh == nullptr) return false;
    if (data_ != nullptr) {
        // The file grew while it was read; pieces handed back read as zeros and stay so.
        allow(data_, capacity_);
        std::memcpy(fresh, data_, size_);
        munmap(data_, capacity_);
    }
    data_ = fresh;
    capacity_ = capacity;
    return true;
}

size_t FileBytes::releaseBefore(size_t offset) {
    const size_t end = offset / kReleaseUnit * kReleaseUnit;
    if (end > released_ && end <= capacity_) {
        // Fresh zero pages would come back if they were touched again, so handing the
        // memory back cannot fail in a way that matters.
        (void)madvise(data_ + released_, end - released_, MADV_DONTNEED);
        forbid(data_ + released_, end - released_);
        released_ = end;
    }
    return released_;
}

bool convertToUtf8(FileBytes& bytes, size_t from, size_t length) {
    const std::string_view text = bytes.view().substr(from, length);
    size_t size = 0;
    (void)convertWithWindows1252Fallback(text, 0, text.size(), nullptr, size);
    FileBytes converted;
    if (!converted.reserve(std::max<size_t>(size, 1))) return false;
    constexpr size_t kPiece = 2 * FileBytes::kReleaseUnit;
    for (size_t pos = 0; pos < text.size();) {
        size_t made = 0;
        pos = convertWithWindows1252Fallback(text, pos, pos + kPiece, converted.spare(), made);
        converted.grow(made);
        bytes.releaseBefore(from + pos);
    }
    bytes = std::move(converted);
    return true;
}
