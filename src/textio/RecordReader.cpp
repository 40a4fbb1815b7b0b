#include "textio/RecordReader.h"

#include <algorithm>

#include "fileio/FileWindow.h"

namespace {

// How many line feeds a record holds: mostly none or a few, each found by memchr.
size_t lineFeeds(std::string_view record) {
    size_t count = 0;
    for (size_t at = record.find('\n'); at != std::string_view::npos;
         at = record.find('\n', at + 1))
        ++count;
    return count;
}

}  // namespace

RecordReader::RecordReader(std::string_view text, const FieldTokenizer& tokenizer)
    : text_(text), tokenizer_(tokenizer) {}

RecordReader::RecordReader(FileWindow& window, const FieldTokenizer& tokenizer, size_t longest)
    : text_(window.text()), tokenizer_(tokenizer), window_(&window), longest_(longest) {
    checkText();
}

bool RecordReader::ended() const {
    return window_ == nullptr || window_->ended();
}

bool RecordReader::more() {
    if (needsWhole_) return false;
    if (text_.size() - pos_ >= longest_) {
        needsWhole_ = true;
        return false;
    }
    window_->slide(text_.data() + pos_);
    checked_ -= pos_;
    text_ = window_->text();
    pos_ = 0;
    checkText();
    return !needsWhole_;
}

void RecordReader::checkText() {
    if (window_->endedAtZero()) {
        needsWhole_ = true;
        return;
    }
    const size_t limit = ended() ? text_.size() : text_.rfind('\n') + 1;  // 0 without one
    for (size_t cr = text_.find('\r', checked_); cr < limit; cr = text_.find('\r', cr)) {
        cr = text_.find_first_not_of('\r', cr);
        if (cr == std::string_view::npos || text_[cr] != '\n') {
            needsWhole_ = true;
            return;
        }
    }
    checked_ = std::max(checked_, limit);
}

bool RecordReader::next(std::string_view& record) {
    size_t end = 0;
    while (true) {
        if (needsWhole_ || (pos_ >= text_.size() && ended())) return false;
        end = recordEnd(pos_);
        if (whole(end)) break;
        if (!more()) return false;
    }
    record = text_.substr(pos_, end - pos_);
    recordLine_ = nextLine_;
    nextLine_ += static_cast<size_t>(std::count(record.begin(), record.end(), '\n')) + 1;
    pos_ = end + 1;  // past the line feed, or past the end
    return true;
}

bool RecordReader::nextFields(RecordValues& fields, bool& blank) {
    while (true) {
        if (needsWhole_ || (pos_ >= text_.size() && ended())) return false;
        size_t end = 0;
        const bool taken = takeFields(pos_, fields, blank, end);
        if (taken && whole(end)) {
            recordLine_ = nextLine_;
            nextLine_ += lineFeeds(text_.substr(pos_, end - pos_)) + 1;
            pos_ = end + 1;
            return true;
        }
        if (!taken && ended()) break;
        if (!more()) return false;
    }
    // A field that never closes: the record is its line, as next() finds.
    std::string_view record;
    if (!next(record)) return false;
    blank = std::all_of(record.begin(), record.end(), FieldTokenizer::isBlank);
    if (blank) return true;
    std::fill(fields.values.begin(), fields.values.end(), std::string_view());
    for (size_t i = 0; i < fields.values.size(); ++i) {
        fields.decoded[i].clear();
        if (!tokenizer_.NextField(record, fields.decoded[i])) break;
        fields.values[i] = fields.decoded[i];
    }
    return true;
}

// Walks the fields as recordEnd() does, taking their values on the way, so that a record
// is read once. NextField would take the same values off the record, but for one thing: it
// reads the record without the white space at its end (a CR before the line feed, say),
// which only the last field that is not empty can reach into. That field is taken again as
// NextField takes it.
bool RecordReader::takeFields(size_t start, RecordValues& fields, bool& blank, size_t& end) const {
    std::vector<std::string_view>& values = fields.values;
    std::fill(values.begin(), values.end(), std::string_view());
    const size_t n = text_.size();
    const char* const text = text_.data();
    const char separator = tokenizer_.separator();
    const char encloser = tokenizer_.encloser();
    size_t pos = start;
    size_t taken = 0;
    size_t lastStart = std::string_view::npos;  // where the last field that is not empty began
    size_t lastIndex = 0;
    bool lastClosed = false;  // whether that field ended at its closing encloser
    while (true) {
        while (pos < n && text[pos] != '\n' && tokenizer_.skipsBeforeField(text[pos]))
            ++pos;
        if (pos == n || text[pos] == '\n') break;
        const bool kept = taken < values.size();
        const char c = text[pos];
        if (c == separator) {
            ++pos;
        } else if (encloser != 0 && c == encloser) {
            lastStart = pos;
            lastIndex = taken;
            // Most enclosed values hold neither an escape nor an encloser, and the field
            // ends right after the closing one: the value is the text between the two.
            const char* const body = text + pos + 1;
            const char* const close = FieldTokenizer::findEither(body, text + n, encloser, '\\');
            const auto after = static_cast<size_t>(close - text) + 1;
            // A record may end in CR LF, as text written on Windows does.
            lastClosed = close != text + n && *close == encloser &&
                         (after == n || text[after] == separator || text[after] == '\n' ||
                          (text[after] == '\r' && (after + 1 == n || text[after + 1] == '\n')));
            if (lastClosed) {
                if (kept) values[taken] = std::string_view(body, static_cast<size_t>(close - body));
                pos = after < n && text[after] == separator ? after + 1 : after;
            } else {
                std::string* const decoded = kept ? &fields.decoded[taken] : nullptr;
                if (decoded) decoded->clear();
                const auto scan = tokenizer_.scanEnclosed(text_.substr(pos), decoded);
                if (!scan.closed) return false;
                if (decoded) values[taken] = *decoded;
                pos += scan.end;
            }
        } else {
            lastStart = pos;
            lastIndex = taken;
            lastClosed = false;
            const char* const stop =
                FieldTokenizer::findEither(text + pos, text + n, separator, '\n');
            const auto stopAt = static_cast<size_t>(stop - text);
            if (kept) values[taken] = text_.substr(pos, stopAt - pos);
            pos = stopAt < n && text[stopAt] == separator ? stopAt + 1 : stopAt;
        }
        ++taken;
    }
    end = pos;
    size_t trimmed = end;
    while (trimmed > start && FieldTokenizer::isBlank(text[trimmed - 1]))
        --trimmed;
    blank = trimmed == start;
    // Blanks after a closing encloser are no part of the value: only an open value needs
    // taking again.
    if (trimmed < end && lastStart < trimmed && !lastClosed && lastIndex < values.size()) {
        std::string_view rest = text_.substr(lastStart, trimmed - lastStart);
        std::string& decoded = fields.decoded[lastIndex];
        decoded.clear();
        bool closed;
        (void)tokenizer_.takeField(rest, &decoded, closed);
        values[lastIndex] = decoded;
    }
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
            // came in pairs, so its own pairs leave one encloser over that closes it. In a
            // window the field may yet close in the text to come.
            if (!scan.closed) return ended() ? lineEnd(pos) : n;
            pos += scan.end;
        } else {
            while (pos < n && text_[pos] != separator && text_[pos] != '\n')
                ++pos;
            if (pos < n && text_[pos] == separator) ++pos;
        }
    }
}
