#include "docfile/DocumentWriter.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "fileio/TextEncoding.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/RecordFields.h"
#include "records/SecondsConverter.h"

namespace {

// Bytes a value cannot hold as they are.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'&', '<', '>', '\'', '"', '\n', '\0'})
        table[c] = true;
    for (int c = 0x80; c < 0x100; ++c)
        table[c] = true;
    return table;
}();

class Writer {
public:
    Writer(const PimDocument& document, const ByteSink& sink)
        : document_(document),
          sink_(sink),
          todaySeconds_(seconds_.toSeconds(DateTime::today(document.clock()))) {}

    bool run();

private:
    void line(int tabs, std::string_view text) {
        out_.append(static_cast<size_t>(tabs), '\t');
        out_ += text;
    }
    void end(std::string_view text) {
        out_ += text;
        out_ += "\r\n";
    }
    void number(int64_t value) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.append(buffer, result.ptr);
    }
    void escaped(std::string_view value);
    void textAttribute(std::string_view name, std::string_view value) {
        attributeStart(name);
        escaped(value);
        out_ += '"';
    }
    void numberAttribute(std::string_view name, int64_t value) {
        attributeStart(name);
        number(value);
        out_ += '"';
    }
    void attributeStart(std::string_view name) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
    }
    void collectionStart(std::string_view name, int32_t lastId) {
        line(1, "<");
        out_ += name;
        numberAttribute("LastID", lastId);
        end(">");
    }
    // Hands the bytes made so far to the sink once there are enough of them.
    bool flushIfFull() { return out_.size() < kChunk || flush(); }
    bool flush() {
        failed_ = failed_ || !sink_(out_);
        out_.clear();
        return !failed_;
    }

    // The attributes of a record, in the order its field table lists them.
    template <class Record>
    void attributes(const Record& record);
    template <class Record>
    int64_t dateSeconds(const Record& record, const FieldSpec<Record>& field) {
        if (field.meaningful != nullptr && !field.meaningful(record)) return 0;
        const int64_t seconds = seconds_.toSeconds(record.*field.date);
        return field.nullIsToday && seconds == -1 ? todaySeconds_ : seconds;
    }

    bool groups();
    bool tasks();
    bool persons();
    bool appointments();
    void user();

    static constexpr size_t kChunk = 1 << 20;
    const PimDocument& document_;
    const ByteSink& sink_;
    bool failed_ = false;
    SecondsConverter seconds_;  // before todaySeconds_, which it computes
    const int64_t todaySeconds_;
    std::string out_;
};

// The first byte from `p` on that a value cannot hold as it is, or `end`.
const char* findSpecial(const char* p, const char* end) {
#ifdef __SSE2__
    const __m128i amp = _mm_set1_epi8('&');
    const __m128i lt = _mm_set1_epi8('<');
    const __m128i gt = _mm_set1_epi8('>');
    const __m128i apos = _mm_set1_epi8('\'');
    const __m128i quot = _mm_set1_epi8('"');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(x, amp), _mm_cmpeq_epi8(x, lt));
        hits = _mm_or_si128(hits, _mm_or_si128(_mm_cmpeq_epi8(x, gt), _mm_cmpeq_epi8(x, apos)));
        hits = _mm_or_si128(hits, _mm_or_si128(_mm_cmpeq_epi8(x, quot), _mm_cmpeq_epi8(x, lf)));
        hits = _mm_or_si128(hits, _mm_cmpeq_epi8(x, zero));
        // Bytes from 0x80 up are checked for being UTF-8.
        const int mask = _mm_movemask_epi8(hits) | _mm_movemask_epi8(x);
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p != end && !kSpecial[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

void Writer::escaped(std::string_view value) {
    const char* const begin = value.data();
    const char* const end = begin + value.size();
    const char* done = begin;
    for (const char* p = findSpecial(begin, end); p != end; p = findSpecial(p + 1, end)) {
        out_.append(done, p);
        done = p + 1;
        switch (*p) {
            case '&':
                out_ += "&amp;";
                break;
            case '<':
                out_ += "&lt;";
                break;
            case '>':
                out_ += "&gt;";
                break;
            case '\'':
                out_ += "&apos;";
                break;
            case '"':
                out_ += "&quot;";
                break;
            case '\n':
                // Lines end in CR LF; a CR LF already in the value stays one line break.
                out_ += (p != begin && p[-1] == '\r') ? "\n" : "\r\n";
                break;
            case '\0':
                // A raw zero byte would end the text when the file is read back.
                out_ += "&#0;";
                break;
            default:
                // Files are UTF-8. A byte that is not part of a UTF-8 character would make
                // the whole file read as Windows-1252, so it goes as a reference.
                if (const size_t length = utf8CharLength(std::string_view(p, size_t(end - p)))) {
                    out_.append(p, length);
                    done = p + length;
                    p = done - 1;
                } else {
                    out_ += "&#";
                    number(static_cast<unsigned char>(*p));
                    out_ += ';';
                }
                break;
        }
    }
    out_.append(done, end);
}

template <class Record>
void Writer::attributes(const Record& record) {
    for (const FieldSpec<Record>& field : recordFields<Record>()) {
        if (field.documentName.empty()) continue;
        switch (field.type) {
            case FieldType::Text:
                textAttribute(field.documentName, record.*field.text);
                break;
            case FieldType::Number:
                numberAttribute(field.documentName, record.*field.number);
                break;
            case FieldType::Flag:
                // A flag held in a number is written as the number it holds, so that a
                // document read and saved again keeps every byte.
                numberAttribute(field.documentName, field.flag != nullptr ? int{record.*field.flag}
                                                                          : record.*field.number);
                break;
            case FieldType::Date:
                numberAttribute(field.documentName, dateSeconds(record, field));
                break;
        }
    }
}

bool Writer::groups() {
    collectionStart("PhGroups", document_.phGroups().lastId());
    for (const auto& [id, group] : document_.phGroups()) {
        line(2, "<PhGroup");
        attributes(group);
        end(">");
        line(3, "<Desc>");
        escaped(group.Desc);
        end("</Desc>");
        line(2, "");
        end("</PhGroup>");
        if (!flushIfFull()) return false;
    }
    line(1, "");
    end("</PhGroups>");
    return true;
}

bool Writer::tasks() {
    collectionStart("Tasks", document_.tasks().lastId());
    for (const auto& [id, task] : document_.tasks()) {
        line(2, "<Task");
        attributes(task);
        end(" />");
        if (!flushIfFull()) return false;
    }
    line(1, "");
    end("</Tasks>");
    return true;
}

bool Writer::persons() {
    collectionStart("Persons", document_.persons().lastId());
    for (const auto& [id, p] : document_.persons()) {
        line(2, "<Person");
        attributes(p);
        end(">");
        line(3, "");
        end("<PhGroups>");
        for (const int32_t group : p.PhGroups) {
            line(4, "<PhGroup>");
            number(group);
            end("</PhGroup>");
        }
        line(3, "");
        end("</PhGroups>");
        line(2, "");
        end("</Person>");
        if (!flushIfFull()) return false;
    }
    line(1, "");
    end("</Persons>");
    return true;
}

bool Writer::appointments() {
    collectionStart("Appointments", document_.appointments().lastId());
    for (const auto& [id, a] : document_.appointments()) {
        line(2, "<Appointment");
        attributes(a);
        end(" />");
        if (!flushIfFull()) return false;
    }
    line(1, "");
    end("</Appointments>");
    return true;
}

void Writer::user() {
    const User& u = document_.user();
    // The format has two spaces between the element name and the first attribute.
    line(1, "<User ");
    attributes(u);
    end(" />");
}

bool Writer::run() {
    out_.reserve(kChunk + 64 * 1024);
    end("<?xml version=\"1.0\"?>");
    end("<Pim Version=\"16\">");
    if (!groups() || !tasks() || !persons() || !appointments()) return false;
    user();
    end("</Pim>");
    return flush();
}

}  // namespace

bool writeDocument(const PimDocument& document, const ByteSink& sink) {
    return Writer(document, sink).run();
}

std::string formatDocument(const PimDocument& document) {
    std::string text;
    (void)writeDocument(document, [&](std::string_view bytes) {
        text += bytes;
        return true;
    });
    return text;
}
