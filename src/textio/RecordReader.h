#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "textio/FieldTokenizer.h"

class FileWindow;

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
//
// A large file may be read through a window instead of whole, as long as its text needs no
// converting beyond what the window does: the reader then stops, at the first record or
// character that would need it, and the text is to be read whole (see needsWholeText()).
class RecordReader {
public:
    // Reads `text`, which must outlive the reader, with the tokenizer's characters.
    RecordReader(std::string_view text, const FieldTokenizer& tokenizer);
    // Reads the text of `window`, which must outlive the reader, from where it stands. The
    // reader stops at a record that still runs on at the window's end after `longest` bytes
    // of it, since the window keeps no more than that when it slides; at a CR that ends a
    // line by itself, which only the whole text's decoding turns into a line feed; and at a
    // zero byte.
    RecordReader(FileWindow& window, const FieldTokenizer& tokenizer, size_t longest);

    // The next record without the line feed that ends it; false at the end of the text.
    [[nodiscard]] bool next(std::string_view& record);
    // The next record cut into fields as the tokenizer's NextField takes them off it: the
    // first values.size() of them (those the record lacks are empty); false at the end of
    // the text. A record of white space only has no fields: `blank` is set then, and the
    // values mean nothing. The values last until the next call.
    [[nodiscard]] bool nextFields(RecordValues& fields, bool& blank);
    // The line of the text (from 1) on which the last record began.
    [[nodiscard]] size_t lineNumber() const { return recordLine_; }
    // Whether reading a window stopped at something only the whole text reads right; what
    // was read until then is to be dropped.
    [[nodiscard]] bool needsWholeText() const { return needsWhole_; }

private:
    // Whether the text read runs to the end of the whole.
    [[nodiscard]] bool ended() const;
    // Whether a record from pos_ to `end` is whole: it ends before the text read, or the
    // text read is all there is.
    [[nodiscard]] bool whole(size_t end) const { return end < text_.size() || ended(); }
    // Brings more of the window's text in after pos_; false, setting needsWhole_, when the
    // record at pos_ is too long for the window or the new text holds a lone CR or a zero
    // byte.
    bool more();
    // Sets needsWhole_ when the text holds what only the decoding of the whole text reads
    // right: a zero byte (of UTF-16, say), where the window's text ends, or a lone CR from
    // checked_ on. It looks no further than the last line feed until the text has ended,
    // since the character after a CR decides.
    void checkText();

    // Reads the record at `start` into `fields` and finds where it ends (its line feed, or
    // the end of the text); false, when an enclosed field never closes, to read it as
    // next() does.
    bool takeFields(size_t start, RecordValues& fields, bool& blank, size_t& end) const;
    size_t recordEnd(size_t start);
    size_t lineEnd(size_t start) const;

    std::string_view text_;
    const FieldTokenizer& tokenizer_;
    FileWindow* window_ = nullptr;
    size_t longest_ = 0;
    size_t checked_ = 0;  // text_ before this holds no lone CR
    bool needsWhole_ = false;
    size_t pos_ = 0;
    size_t nextLine_ = 1;
    size_t recordLine_ = 0;
};
