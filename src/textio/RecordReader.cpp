#include "textio/RecordReader.h"

#include <algorithm>

RecordReader::RecordReader(std::string_view text, const FieldTokenizer& tokenizer)
    : text_(text), tokenizer_(tokenizer) {}

bool RecordReader::next(std::string_view& record) {
    if (pos_ >= text_.size()) return false;
    const size_t end = recordEnd(pos_);
    record = text_.substr(pos_, end - pos_);
    recordLine_ = nextLine_;
    nextLine_ += static_cast<size_t>(std::count(record.begin(), record.end(), '\n')) + 1;
    pos_ = end + 1;  // past the line feed, or past the end
    return true;
}

size_t RecordReader::lineEnd(size_t start) const {
    const size_t end = text_.find('\n', start);
    return end == std::string_view::npos ? text_.size() : end;
}

// Walks the fields as the tokenizer reads them, so that both agree on where an
// enclosed field ends.
size_t RecordReader::recordEnd(size_t start) {
    const size_t n = text_.size();
    const char separator = tokenizer_.separator();
    const char encloser = tokenizer_.encloser();
    size_t pos = start;
    while (true) {
        while (pos < n && text_[pos] != '\n' && tokenizer_.skipsBeforeField(text_[pos]))
            ++pos;
        if (pos == n || text_[pos] == '\n') return pos;
        const char c = text_[pos];
        if (c == separator) {
            ++pos;
        } else if (encloser != 0 && c == encloser) {
            const auto scan = tokenizer_.scanEnclosed(text_.substr(pos), nullptr);
            // This runs to the end of the text at most once per text: a later field that
            // opens with an encloser lies in the text this one read, where every encloser
            // came in pairs, so its own pairs leave one encloser over that closes it.
            if (!scan.closed) return lineEnd(pos);
            pos += scan.end;
        } else {
            while (pos < n && text_[pos] != separator && text_[pos] != '\n')
                ++pos;
            if (pos < n && text_[pos] == separator) ++pos;
        }
    }
}
