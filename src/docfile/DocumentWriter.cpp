#include "docfile/DocumentWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string_view>
#include <type_traits>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "docfile/FieldValues.h"
#include "docfile/ScheduleForm.h"
#include "fileio/TextEncoding.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/RecordFields.h"
#include "records/SecondsConverter.h"
#include "records/ShortCopy.h"

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

// ` name="` of each field of a record kind, in a piece of fixed size that goes in one copy
// rather than one made to the name's length: a large document writes millions of them.
constexpr size_t kStartPiece = 32;
template <class Record>
struct AttributeStarts {
    static constexpr size_t kCount = recordFields<Record>().size();
    alignas(16) char bytes[kCount][kStartPiece] = {};
    uint8_t size[kCount] = {};
};

template <class Record>
constexpr AttributeStarts<Record> attributeStarts() {
    AttributeStarts<Record> starts;
    for (size_t i = 0; i < starts.kCount; ++i) {
        const std::string_view name = recordFields<Record>()[i].documentName;
        if (name.empty()) continue;
        // A longer name would not fit: the table cannot be made, and the build fails.
        if (name.size() + 3 > kStartPiece) throw "an attribute name too long for its piece";
        starts.bytes[i][0] = ' ';
        for (size_t k = 0; k < name.size(); ++k)
            starts.bytes[i][1 + k] = name[k];
        starts.bytes[i][1 + name.size()] = '=';
        starts.bytes[i][2 + name.size()] = '"';
        starts.size[i] = static_cast<uint8_t>(name.size() + 3);
    }
    return starts;
}

class Writer {
public:
    Writer(const PimDocument& document, const ByteSink& sink)
        : document_(document),
          sink_(sink),
          todaySeconds_(seconds_.toSeconds(DateTime::today(document.clock()))) {}

    bool run();

private:
    // The bytes are made in a buffer of their own, written to through a pointer: every
    // piece first makes room for the most it can take, so that what follows need not
    // check again. A value takes at most six bytes for each of its own ("&quot;").
    static constexpr size_t kMostPerByte = 6;
    // Room for a number of up to 64 bits.
    static constexpr size_t kNumberRoom = 24;

    // Room for `size` more bytes; false when the sink refused the bytes made so far.
    bool room(size_t size) { return static_cast<size_t>(limit_ - at_) >= size || makeRoom(size); }
    bool makeRoom(size_t size);
    void put(std::string_view text) {
        copyShort(at_, text.data(), text.size());
        at_ += text.size();
    }
    void put(char c) { *at_++ = c; }

    void line(int tabs, std::string_view text) {
        std::memset(at_, '\t', static_cast<size_t>(tabs));
        at_ += tabs;
        put(text);
    }
    void end(std::string_view text) {
        put(text);
        put("\r\n");
    }
    void number(int64_t value) { at_ = std::to_chars(at_, limit_, value).ptr; }
    void escaped(std::string_view value);
    void textAttribute(std::string_view name, std::string_view value) {
        attributeStart(name);
        escaped(value);
        put('"');
    }
    void numberAttribute(std::string_view name, int64_t value) {
        attributeStart(name);
        number(value);
        put('"');
    }
    void attributeStart(std::string_view name) {
        put(' ');
        put(name);
        put("=\"");
    }
    // The start of field `i`'s attribute; takes kStartPiece bytes of room.
    template <class Record>
    void attributeStart(size_t i) {
        static constexpr AttributeStarts<Record> kStarts = attributeStarts<Record>();
        std::memcpy(at_, kStarts.bytes[i], kStartPiece);
        at_ += kStarts.size[i];
    }
    bool collectionStart(std::string_view name, int32_t lastId) {
        if (!room(name.size() + 16 + kNumberRoom)) return false;
        line(1, "<");
        put(name);
        numberAttribute("LastID", lastId);
        end(">");
        return true;
    }
    // Hands the bytes made so far to the sink once there are enough of them.
    bool flushIfFull() { return at_ - buffer_.get() < static_cast<ptrdiff_t>(kChunk) || flush(); }
    bool flush() {
        failed_ = failed_ || !sink_(std::string_view(buffer_.get(), size_t(at_ - buffer_.get())));
        at_ = buffer_.get();
        return !failed_;
    }

    // The attributes of a record, in the order its field table lists them.
    template <class Record>
    bool attributes(const Record& record);
    template <class Record>
    int64_t dateSeconds(const Record& record, const FieldSpec<Record>& field) {
        if (field.meaningful != nullptr && !field.meaningful(record)) return 0;
        const int64_t seconds = seconds_.toSeconds(record.*field.date, laterOfTwo(record, field));
        return field.nullIsToday && seconds == -1 ? todaySeconds_ : seconds;
    }

    // What an appointment holds beyond version 16, after its version-16 attributes: the
    // added attributes, then its changed occurrences as children, and the end of the element.
    bool schedule(const Schedule& s);
    void timeList(std::string_view name, const std::vector<DateTime>& times, SeriesSeconds& series);

    bool groups();
    bool tasks();
    bool persons();
    bool appointments();
    bool user();

    static constexpr size_t kChunk = 1 << 20;
    const PimDocument& document_;
    const ByteSink& sink_;
    bool failed_ = false;
    SecondsConverter seconds_;  // before todaySeconds_, which it computes
    const int64_t todaySeconds_;
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    char* at_ = nullptr;     // where the next byte goes
    char* limit_ = nullptr;  // the end of the buffer
};

bool Writer::makeRoom(size_t size) {
    // What is made so far goes out first, mid-record only for a record the buffer cannot
    // hold besides it; then a record larger than the buffer gets a larger one.
    if (at_ != buffer_.get() && !flush()) return false;
    if (capacity_ < size) {
        capacity_ = std::max(size, kChunk + kChunk / 16);
        buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
        at_ = buffer_.get();
        limit_ = at_ + capacity_;
    }
    return true;
}

// Asks for the whole record to be fetched from memory: a large document is far larger
// than the caches, and a record fetched line by line, as its fields are written, waits
// for memory at every line.
template <class Record>
void prefetch(const Record& record) {
    const char* const bytes = reinterpret_cast<const char*>(&record);
    for (size_t offset = 0; offset < sizeof(Record); offset += 64)
        __builtin_prefetch(bytes + offset);
}

// Calls `write` with each record in ascending ID, the next one on its way from memory
// meanwhile; false as soon as `write` is.
template <class Record, class Write>
bool eachRecord(const RecordStore<Record>& records, Write write) {
    for (auto it = records.begin(); it != records.end();) {
        const auto next = std::next(it);
        if (next != records.end()) prefetch(next->second);
        if (!write(it->second)) return false;
        it = next;
    }
    return true;
}

#ifdef __SSE2__
// The bytes of `x` that a value cannot hold as they are, as a bit mask.
unsigned specialBytes(__m128i x) {
    const auto is = [&](char c) { return _mm_cmpeq_epi8(x, _mm_set1_epi8(c)); };
    __m128i hits = _mm_or_si128(is('&'), is('<'));
    hits = _mm_or_si128(hits, _mm_or_si128(is('>'), is('\'')));
    hits = _mm_or_si128(hits, _mm_or_si128(is('"'), is('\n')));
    hits = _mm_or_si128(hits, is('\0'));
    // Bytes from 0x80 up are checked for being UTF-8.
    return static_cast<unsigned>(_mm_movemask_epi8(hits) | _mm_movemask_epi8(x));
}

// Loads `size` (4 or 8) bytes at `p`.
__m128i loadPiece(const char* p, size_t size) {
    if (size == 8) {
        uint64_t piece;
        std::memcpy(&piece, p, sizeof piece);
        return _mm_cvtsi64_si128(static_cast<long long>(piece));
    }
    uint32_t piece;
    std::memcpy(&piece, p, sizeof piece);
    return _mm_cvtsi32_si128(static_cast<int>(piece));
}
#endif

// The first byte from `p` on that a value cannot hold as it is, or `end`.
const char* findSpecial(const char* p, const char* end) {
#ifdef __SSE2__
    while (end - p >= 16) {
        const unsigned mask = specialBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        if (mask != 0) return p + __builtin_ctz(mask);
        p += 16;
    }
    // Most values are shorter than sixteen bytes: the rest is looked at as a piece from its
    // start and one that ends at its end, which may overlap, side by side in one register.
    const auto left = static_cast<size_t>(end - p);
    if (left >= 4) {
        const size_t piece = left >= 8 ? 8 : 4;
        const __m128i x = piece == 8 ? _mm_unpacklo_epi64(loadPiece(p, 8), loadPiece(end - 8, 8))
                                     : _mm_unpacklo_epi32(loadPiece(p, 4), loadPiece(end - 4, 4));
        const unsigned mask = specialBytes(x) & ((1u << (2 * piece)) - 1);
        const unsigned head = mask & ((1u << piece) - 1);
        if (head != 0) return p + __builtin_ctz(head);
        if (mask != 0) return end - piece + __builtin_ctz(mask >> piece);
        return end;
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
        put(std::string_view(done, size_t(p - done)));
        done = p + 1;
        switch (*p) {
            case '&':
                put("&amp;");
                break;
            case '<':
                put("&lt;");
                break;
            case '>':
                put("&gt;");
                break;
            case '\'':
                put("&apos;");
                break;
            case '"':
                put("&quot;");
                break;
            case '\n':
                // Lines end in CR LF; a CR LF already in the value stays one line break.
                put((p != begin && p[-1] == '\r') ? "\n" : "\r\n");
                break;
            case '\0':
                // A raw zero byte would end the text when the file is read back.
                put("&#0;");
                break;
            default:
                // Files are UTF-8. A byte that is not part of a UTF-8 character would make
                // the whole file read as Windows-1252, so it goes as a reference.
                if (const size_t length = utf8CharLength(std::string_view(p, size_t(end - p)))) {
                    put(std::string_view(p, length));
                    done = p + length;
                    p = done - 1;
                } else {
                    put("&#");
                    number(static_cast<unsigned char>(*p));
                    put(';');
                }
                break;
        }
    }
    put(std::string_view(done, size_t(end - done)));
}

template <class Record>
bool Writer::attributes(const Record& record) {
    // A person's texts lie one after the other: when none of them needs escaping, which one
    // look at all of them tells, each is written as it stands.
    [[maybe_unused]] PersonTexts texts;
    [[maybe_unused]] size_t nextText = 0;
    [[maybe_unused]] bool plain = false;
    if constexpr (std::is_same_v<Record, Person>) {
        const std::string_view all = record.allTexts();
        plain = findSpecial(all.data(), all.data() + all.size()) == all.data() + all.size();
        texts = record.texts();
    }
    const auto fields = recordFields<Record>();
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec<Record>& field = fields[i];
        if (field.documentName.empty() || (field.added && isUnset(record, field))) continue;
        // The start, then the value and its closing '"'.
        constexpr size_t start = kStartPiece + 1;
        switch (field.type) {
            case FieldType::Text: {
                std::string_view value;
                if constexpr (std::is_same_v<Record, Person>)
                    value = texts[nextText++];  // in the order of the text fields
                else
                    value = field.textOf(record);
                if (!room(start + kMostPerByte * value.size())) return false;
                attributeStart<Record>(i);
                if (plain)
                    put(value);
                else
                    escaped(value);
                put('"');
                break;
            }
            case FieldType::Number:
                if (!room(start + kNumberRoom)) return false;
                attributeStart<Record>(i);
                number(record.*field.number);
                put('"');
                break;
            case FieldType::Flag:
                if (!room(start + kNumberRoom)) return false;
                // A flag held in a number is written as the number it holds, so that a
                // document read and saved again keeps every byte.
                attributeStart<Record>(i);
                number(field.flag != nullptr ? int{record.*field.flag} : record.*field.number);
                put('"');
                break;
            case FieldType::Date:
                if (!room(start + kNumberRoom)) return false;
                attributeStart<Record>(i);
                number(dateSeconds(record, field));
                put('"');
                break;
            case FieldType::Yearly:
                if (!room(start + kNumberRoom)) return false;
                attributeStart<Record>(i);
                escaped((record.*field.yearly).text());
                put('"');
                break;
        }
    }
    if constexpr (requires { record.uid; }) {
        if (!record.uid.empty()) {
            if (!room(kUidAttribute.size() + 4 + kMostPerByte * record.uid.size())) return false;
            textAttribute(kUidAttribute, record.uid);
        }
    }
    return true;
}

// Room for the markup around a record's attributes, a group list of a few entries aside.
constexpr size_t kMarkupRoom = 128;

bool Writer::groups() {
    if (!collectionStart("PhGroups", document_.phGroups().lastId())) return false;
    const bool written = eachRecord(document_.phGroups(), [&](const PhGroup& group) {
        if (!room(kMarkupRoom)) return false;
        line(2, "<PhGroup");
        if (!attributes(group) || !room(kMarkupRoom + kMostPerByte * group.Desc.size()))
            return false;
        end(">");
        line(3, "<Desc>");
        escaped(group.Desc);
        end("</Desc>");
        line(2, "");
        end("</PhGroup>");
        return flushIfFull();
    });
    if (!written || !room(kMarkupRoom)) return false;
    line(1, "");
    end("</PhGroups>");
    return true;
}

bool Writer::tasks() {
    if (!collectionStart("Tasks", document_.tasks().lastId())) return false;
    const bool written = eachRecord(document_.tasks(), [&](const Task& task) {
        if (!room(kMarkupRoom)) return false;
        line(2, "<Task");
        if (!attributes(task) || !room(kMarkupRoom)) return false;
        end(" />");
        return flushIfFull();
    });
    if (!written || !room(kMarkupRoom)) return false;
    line(1, "");
    end("</Tasks>");
    return true;
}

bool Writer::persons() {
    if (!collectionStart("Persons", document_.persons().lastId())) return false;
    // One entry of a group list: four tabs, the tags, the number and the line end.
    constexpr size_t kGroupRoom = 4 + 9 + kNumberRoom + 10 + 2;
    const bool written = eachRecord(document_.persons(), [&](const Person& p) {
        if (!room(kMarkupRoom)) return false;
        line(2, "<Person");
        if (!attributes(p) || !room(kMarkupRoom + kGroupRoom * p.PhGroups.size())) return false;
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
        return flushIfFull();
    });
    if (!written || !room(kMarkupRoom)) return false;
    line(1, "");
    end("</Persons>");
    return true;
}

bool Writer::appointments() {
    if (!collectionStart("Appointments", document_.appointments().lastId())) return false;
    const bool written = eachRecord(document_.appointments(), [&](const Appointment& a) {
        if (!room(kMarkupRoom)) return false;
        line(2, "<Appointment");
        if (!attributes(a) || !room(kMarkupRoom)) return false;
        if (a.schedule.has()) {
            if (!schedule(a.schedule.get())) return false;
        } else {
            end(" />");
        }
        return flushIfFull();
    });
    if (!written || !room(kMarkupRoom)) return false;
    line(1, "");
    end("</Appointments>");
    return true;
}

void Writer::timeList(std::string_view name, const std::vector<DateTime>& times,
                      SeriesSeconds& series) {
    if (times.empty()) return;
    attributeStart(name);
    for (size_t i = 0; i < times.size(); ++i) {
        if (i > 0) put(',');
        number(series.toSeconds(times[i]));
    }
    put('"');
}

bool Writer::schedule(const Schedule& s) {
    namespace form = scheduleform;
    SeriesSeconds series(seconds_, s);
    const std::string rule = s.rule ? s.rule->text() : std::string();
    const size_t texts = s.zone.size() + rule.size();
    const size_t numbers = 3 + s.added.size() + s.removed.size();
    if (!room(2 * kMarkupRoom + kMostPerByte * texts + (kNumberRoom + 1) * numbers)) return false;
    // Each only when used, so that what an appointment does not use costs nothing.
    if (s.allDay) numberAttribute(form::kAllDay, 1);
    if (!s.lastDay.isNull()) numberAttribute(form::kLastDay, seconds_.toSeconds(s.lastDay));
    if (!s.zone.empty()) textAttribute(form::kZone, s.zone);
    if (s.rule) textAttribute(form::kRule, rule);
    timeList(form::kAdded, s.added, series);
    timeList(form::kRemoved, s.removed, series);
    if (!s.remindedUntil.isNull())
        numberAttribute(form::kRemindedUntil, seconds_.toSeconds(s.remindedUntil));
    if (s.changed.empty()) {
        end(" />");
        return true;
    }
    end(">");
    for (const ChangedOccurrence& c : s.changed) {
        if (!room(kMarkupRoom + 5 * kNumberRoom + kMostPerByte * c.description.size()))
            return false;
        line(3, "<Occurrence");
        numberAttribute(form::kReplaces, series.toSeconds(c.replaces));
        numberAttribute(form::kStart, series.toSeconds(c.start));
        numberAttribute(form::kEnd, series.toSeconds(c.end));
        textAttribute(form::kDescription, c.description);
        numberAttribute(form::kAlarm, c.alarm ? 1 : 0);
        numberAttribute(form::kAlarmMinutes, c.alarmMinutes);
        end(" />");
    }
    if (!room(kMarkupRoom)) return false;
    line(2, "");
    end("</Appointment>");
    return true;
}

bool Writer::user() {
    const User& u = document_.user();
    if (!room(kMarkupRoom)) return false;
    // The format has two spaces between the element name and the first attribute.
    line(1, "<User ");
    if (!attributes(u) || !room(kMarkupRoom)) return false;
    end(" />");
    return true;
}

bool Writer::run() {
    if (!room(kMarkupRoom)) return false;
    end("<?xml version=\"1.0\"?>");
    end("<Pim Version=\"16\">");
    if (!groups() || !tasks() || !persons() || !appointments() || !user()) return false;
    if (!room(kMarkupRoom)) return false;
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
