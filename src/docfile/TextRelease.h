#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "docfile/XmlTokenizer.h"

class FileBytes;

// Hands back the memory of a file's bytes behind a reader, a few megabytes at a time, so
// that the bytes and the records made of them are not held in full at once. The lines of
// what is handed back are counted first, so that an error further on still gets its line
// and column.
class TextRelease {
public:
    // `text` lies in `owner`, or owner is nullptr and nothing is handed back.
    TextRelease(std::string_view text, FileBytes* owner) : text_(text), owner_(owner) {}

    // The reader has come to `p`: it will not look at the lines before the one `p` is on.
    void reachedAt(const char* p);
    // Where the byte at `offset` of the text stands; the reader has not passed it.
    [[nodiscard]] TextPosition positionOf(size_t offset) const;

private:
    std::string_view text_;
    FileBytes* owner_;
    size_t kept_ = 0;    // the start of a line: everything before it may have been handed back
    int32_t lines_ = 0;  // the line feeds before kept_
};
