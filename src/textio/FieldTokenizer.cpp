#include "textio/FieldTokenizer.h"

#include "fileio/TextEncoding.h"

namespace {

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

char translateEscape(char c) {
    switch (c) {
        case 'a':
            return '\a';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case 'v':
            return '\v';
        default:
            return c;
    }
}

// Octal escapes write single bytes. The bytes of a run of them that are not UTF-8 were
// meant as Windows-1252 text, like every other single-byte text this program reads; converting
// it keeps records valid UTF-8, which the document file relies on.
class ByteRun {
public:
    explicit ByteRun(std::string* field) : field_(field) {}
    ~ByteRun() { finish(); }

    void add(unsigned char byte) {
        // A zero byte cannot live in the program's texts; the escape is dropped.
        if (!field_ || byte == 0) return;
        if (start_ == std::string::npos) start_ = field_->size();
        high_ |= byte >= 0x80;
        *field_ += static_cast<char>(byte);
    }

    void finish() {
        if (start_ == std::string::npos) return;
        if (high_) {
            const std::string_view run = std::string_view(*field_).substr(start_);
            if (!isValidUtf8(run))
                field_->replace(start_, run.size(), utf8WithWindows1252Fallback(run));
        }
        start_ = std::string::npos;
        high_ = false;
    }

private:
    std::string* field_;
    size_t start_ = std::string::npos;
    bool high_ = false;
};

}  // namespace

FieldTokenizer::EnclosedScan FieldTokenizer::scanEnclosed(std::string_view t,
                                                          std::string* field) const {
    const size_t n = t.size();
    const char e = encloser_;
    ByteRun bytes(field);
    auto append = [&](char c) {
        if (!field) return;
        bytes.finish();
        *field += c;
    };

    size_t k = 1;  // t[0] is the opening encloser
    bool closed = false;
    while (k < n) {
        const char ch = t[k];
        if (ch == e) {
            if (k + 1 < n && t[k + 1] == e) {
                append(e);
                k += 2;
                continue;
            }
            closed = true;
            ++k;
            break;
        }
        if (ch != '\\') {
            // Copy the run of ordinary characters up to the next encloser or backslash.
            const size_t end =
                static_cast<size_t>(findEither(t.data() + k + 1, t.data() + n, e, '\\') - t.data());
            if (field) {
                bytes.finish();
                field->append(t.substr(k, end - k));
            }
            k = end;
            continue;
        }
        if (k + 1 >= n) {
            // A backslash as the last character has nothing to escape: keep it.
            append('\\');
            ++k;
            continue;
        }
        const char escaped = t[k + 1];
        k += 2;
        if (!isOctal(escaped)) {
            append(translateEscape(escaped));
            continue;
        }
        unsigned value = static_cast<unsigned>(escaped - '0');
        int digits = 1;
        while (digits < 3 && k < n && isOctal(t[k])) {
            value = value * 8 + static_cast<unsigned>(t[k] - '0');
            ++k;
            ++digits;
        }
        bytes.add(static_cast<unsigned char>(value % 256));
        // A short escape takes the next character along as it stands, except an
        // encloser, which still closes the field.
        if (digits < 3 && k < n && t[k] != e) {
            append(t[k]);
            ++k;
        }
    }
    bytes.finish();
    if (!closed) return {n, false};

    // Text between the closing encloser and the separator still belongs to the field;
    // only blanks there are dropped.
    size_t tailEnd = k;
    bool blankTail = true;
    while (tailEnd < n && t[tailEnd] != separator_ && t[tailEnd] != '\n') {
        blankTail &= isBlank(t[tailEnd]);
        ++tailEnd;
    }
    if (field && !blankTail) field->append(t.substr(k, tailEnd - k));
    if (tailEnd < n && t[tailEnd] == separator_) ++tailEnd;
    return {tailEnd, true};
}

bool FieldTokenizer::NextField(std::string_view& line, std::string& field) const {
    bool closed;
    return takeField(line, &field, closed);
}

bool FieldTokenizer::takeField(std::string_view& line, std::string* field, bool& closed) const {
    closed = true;
    size_t from = 0;
    while (from < line.size() && skipsBeforeField(line[from]))
        ++from;
    size_t to = line.size();
    while (to > from && isBlank(line[to - 1]))
        --to;
    line = line.substr(from, to - from);
    if (line.empty()) return false;
    const char first = line.front();
    if (first == separator_) {
        line.remove_prefix(1);
        return true;
    }
    if (encloser_ != 0 && first == encloser_) {
        const EnclosedScan scan = scanEnclosed(line, field);
        closed = scan.closed;
        line.remove_prefix(scan.end);
        return true;
    }
    const size_t end = line.find(separator_);
    if (end == std::string_view::npos) {
        if (field) field->append(line);
        line = {};
    } else {
        if (field) field->append(line.substr(0, end));
        line.remove_prefix(end + 1);
    }
    return true;
}

bool FieldTokenizer::NextField(std::string& line, std::string& field) const {
    std::string_view rest = line;
    const bool found = NextField(rest, field);
    line = std::string(rest);
    return found;
}
