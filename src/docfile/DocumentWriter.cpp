#include "docfile/DocumentWriter.h"

#include <cstdint>
#include <iterator>
#include <string_view>
#include <type_traits>

#include "docfile/FieldValues.h"
#include "docfile/MarkupBuffer.h"
#include "docfile/ScheduleForm.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "records/RecordFields.h"
#include "records/SecondsConverter.h"

namespace {

class Writer : private MarkupBuffer {
public:
    Writer(const PimDocument& document, const ByteSink& sink)
        : MarkupBuffer(sink),
          document_(document),
          todaySeconds_(seconds_.toSeconds(DateTime::today(document.clock()))) {}

    bool run();

private:
    bool collectionStart(std::string_view name, int32_t lastId) {
        if (!room(name.size() + 16 + kNumberRoom)) return false;
        line(1, "<");
        put(name);
        numberAttribute("LastID", lastId);
        end(">");
        return true;
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

    const PimDocument& document_;
    SecondsConverter seconds_;  // before todaySeconds_, which it computes
    const int64_t todaySeconds_;
};

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

template <class Record>
bool Writer::attributes(const Record& record) {
    // A person's texts lie one after the other, in the order of the text fields: one look
    // over all of them finds the next byte that needs escaping, and every text before it is
    // written as it stands.
    [[maybe_unused]] PersonTexts texts;
    [[maybe_unused]] size_t nextText = 0;
    [[maybe_unused]] const char* textsEnd = nullptr;
    [[maybe_unused]] const char* special = nullptr;
    if constexpr (std::is_same_v<Record, Person>) {
        const std::string_view all = record.allTexts();
        textsEnd = all.data() + all.size();
        special = findSpecial(all.data(), textsEnd);
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
                if constexpr (std::is_same_v<Record, Person>) {
                    const char* const valueEnd = value.data() + value.size();
                    if (value.empty() || valueEnd <= special) {
                        put(value);
                    } else {
                        escaped(value);
                        special = findSpecial(valueEnd, textsEnd);
                    }
                } else {
                    escaped(value);
                }
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
