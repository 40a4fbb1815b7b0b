#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "textio/FieldTokenizer.h"

// The values of a record's first fields, as FieldTokenizer::NextField reads them. A value
// that stands in the text as it is (most do) is a view of the text, any other a view of
// its decoded text in `decoded`, so that reading a record copies next to nothing.
struct RecordValues {
    explicit RecordValues(size_t count) : values(count), decoded(count) {}
    std::vector<std::string_view> values;
    std::vector<std::string> decoded;  // one per value
};

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
    // The next record cut into fields as the tokenizer's NextField takes them off it: the
    // first values.size() of them (those the record lacks are empty); false at the end of
    // the text. A record of white space only has no fields: `blank` is set then, and the
    // values mean nothing. The values last until the next call.
    [[nodiscard]] bool nextFields(RecordValues& fields, bool& blank);
    // The line of the text (from 1) on which the last record began.
    [[nodiscard]] size_t lineNumber() const { return recordLine_; }

private:
    // Reads the record at `start` into `fields` and finds where it ends (its line feed, or
    // the end of the text); false, when an enclosed field never closes, to read it as
    // next() does.
    bool takeFields(size_t start, RecordValues& fields, bool& blank, size_t& end) const;
    size_t recordEnd(size_t start);
    size_t lineEnd(size_t start) const;

    std::string_view text_;
    const FieldTokenizer& tokenizer_;
    size_t pos_ = 0;
    size_t nextLine_ = 1;
    size_t recordLine_ = 0;
};
