#pragma once

#include <cstddef>
#include <string_view>

#include "textio/FieldTokenizer.h"

// Cuts delimited text into records: one line each, except that an enclosed field may
// hold line breaks, so its record goes on over the following lines. An enclosed field
// that never closes before the end of the text ends with the line it began on, so one
// stray encloser cannot swallow the rest of the file. Lines may be of any length; a last
// line without a line feed is a record too.
class RecordReader {
public:
    // Reads `text`, which must outlive the reader, with the tokenizer's characters.
    RecordReader(std::string_view text, const FieldTokenizer& tokenizer);

    // The next record without the line feed that ends it; false at the end of the text.
    [[nodiscard]] bool next(std::string_view& record);
    // The line of the text (from 1) on which the last record began.
    [[nodiscard]] size_t lineNumber() const { return recordLine_; }

private:
    size_t recordEnd(size_t start);
    size_t lineEnd(size_t start) const;

    std::string_view text_;
    const FieldTokenizer& tokenizer_;
    size_t pos_ = 0;
    size_t nextLine_ = 1;
    size_t recordLine_ = 0;
};
