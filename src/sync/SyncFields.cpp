#include "sync/SyncFields.h"

#include <algorithm>
#include <type_traits>

#include "platform/Translate.h"
#include "records/RecordFields.h"
#include "records/SecondsConverter.h"
#include "records/StampText.h"
#include "sync/ScheduleField.h"

namespace {

// A time in the hour the clocks repeat says which of the two it is.
constexpr std::string_view kLaterMark = " (later)";

std::string timeText(DateTime time, bool later) {
    if (!time.isValid()) return {};
    return stampText(time) + std::string(later ? kLaterMark : "");
}

DateTime timeOfText(std::string_view text, bool* later) {
    const bool marked = text.ends_with(kLaterMark);
    if (later != nullptr) *later = marked;
    if (marked) text.remove_suffix(kLaterMark.size());
    return timeOfStamp(text);
}

// A value of the record table as text, and back.
template <class Record>
std::string specText(const FieldSpec<Record>& spec, const Record& record) {
    switch (spec.type) {
        case FieldType::Text:
            return std::string(spec.textOf(record));
        case FieldType::Number:
            return std::to_string(record.*spec.number);
        case FieldType::Flag:
            return flagValue(record, spec) ? "1" : "0";
        case FieldType::Date:
            if (spec.meaningful != nullptr && !spec.meaningful(record)) return {};
            return timeText(record.*spec.date, laterOfTwo(record, spec));
        case FieldType::Yearly:
            return (record.*spec.yearly).text();
    }
    return {};
}

template <class Record>
void setSpecText(const FieldSpec<Record>& spec, Record& record, std::string_view text) {
    switch (spec.type) {
        case FieldType::Text:
            spec.setText(record, text);
            break;
        case FieldType::Number:
            record.*spec.number = std::atoi(std::string(text).c_str());
            break;
        case FieldType::Flag:
            setFlag(record, spec, text == "1");
            break;
        case FieldType::Date: {
            bool later = false;
            record.*spec.date = timeOfText(text, &later);
            setLaterOfTwo(record, spec, later);
            break;
        }
        case FieldType::Yearly: {
            const MonthDay day = MonthDay::parse(text).value_or(MonthDay());
            // Through the person, which forgets the year reminded of a day that moved.
            if constexpr (std::is_same_v<Record, Person>)
                record.setDate(spec.yearly == &Person::Birthday ? PersonDate::Birthday
                                                                : PersonDate::Anniversary,
                               day);
            else
                record.*spec.yearly = day;
            break;
        }
    }
}

template <class Record>
constexpr size_t specIndex(std::string_view name) {
    const auto table = recordFields<Record>();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].documentName == name) return i;
    }
    // Reached only for a name the table lacks; evaluated for a template argument, it does
    // not compile.
    throw "no field of that name in the record table";
}

template <class Record, size_t I>
std::string tableText(const SyncRecord& record) {
    return specText(recordFields<Record>()[I], std::get<Record>(record.record));
}
template <class Record, size_t I>
void setTableText(SyncRecord& record, std::string_view text) {
    setSpecText(recordFields<Record>()[I], std::get<Record>(record.record), text);
}

// A field of the record table, by the name the document gives it.
#define TABLE_FIELD(Record, name, label)                          \
    SyncField {                                                   \
        name, label, &tableText<Record, specIndex<Record>(name)>, \
            &setTableText<Record, specIndex<Record>(name)>        \
    }

// An appointment of a series starts on its DueDate at the StartTime's time of day, and ends
// on its last day at the EndTime's.
bool startsOnItsDay(const Appointment& a) {
    return a.DueDate.isValid() && a.StartTime.isValid() && a.EndTime.isValid() &&
           !scheduleField(a.schedule.get()).empty();
}

std::string startText(const SyncRecord& record) {
    const Appointment& a = record.appointment();
    const DateTime start = a.StartTime;
    return timeText(startsOnItsDay(a) ? a.DueDate.date() + (start - start.date()) : start,
                    a.later(Appointment::kLaterStart));
}

void setStart(SyncRecord& record, std::string_view text) {
    Appointment& a = record.appointment();
    bool later = false;
    a.StartTime = timeOfText(text, &later);
    a.DueDate = a.StartTime.date();
    a.laterOfTwo =
        later ? a.laterOfTwo | Appointment::kLaterStart : a.laterOfTwo & ~Appointment::kLaterStart;
}

std::string endText(const SyncRecord& record) {
    const Appointment& a = record.appointment();
    const DateTime end = a.EndTime;
    if (!startsOnItsDay(a)) return timeText(end, a.later(Appointment::kLaterEnd));
    const DateTime last =
        a.schedule.get().lastDay.isValid() ? a.schedule.get().lastDay : a.DueDate.date();
    return timeText(last.date() + (end - end.date()), a.later(Appointment::kLaterEnd));
}

void setEnd(SyncRecord& record, std::string_view text) {
    Appointment& a = record.appointment();
    bool later = false;
    a.EndTime = timeOfText(text, &later);
    a.laterOfTwo =
        later ? a.laterOfTwo | Appointment::kLaterEnd : a.laterOfTwo & ~Appointment::kLaterEnd;
}

// The alarm as seconds from the start, as the clocks run: an hour they skip or repeat
// between the two counts as it passed.
std::string alarmText(const SyncRecord& record) {
    const Appointment& a = record.appointment();
    if (!a.Alarm || !a.AlarmTime.isValid() || !a.StartTime.isValid()) return {};
    SecondsConverter seconds(SecondsConverter::Memory::None);
    return std::to_string(secondsBetween(a.StartTime, a.AlarmTime, seconds,
                                         a.later(Appointment::kLaterStart),
                                         a.later(Appointment::kLaterAlarm)));
}

void setAlarm(SyncRecord& record, std::string_view text) {
    Appointment& a = record.appointment();
    a.Alarm = !text.empty();
    if (!a.Alarm) return;
    SecondsConverter seconds(SecondsConverter::Memory::None);
    bool later = a.later(Appointment::kLaterStart);
    a.AlarmTime = elapsedFrom(a.StartTime, std::atoll(std::string(text).c_str()), seconds, &later);
    a.laterOfTwo =
        later ? a.laterOfTwo | Appointment::kLaterAlarm : a.laterOfTwo & ~Appointment::kLaterAlarm;
}

std::string scheduleText(const SyncRecord& record) {
    return scheduleField(record.appointment().schedule.get());
}

void setSchedule(SyncRecord& record, std::string_view text) {
    Appointment& a = record.appointment();
    Schedule schedule = a.schedule.get();
    if (readScheduleField(text, schedule)) a.schedule.set(schedule);
}

std::string groupsText(const SyncRecord& record) {
    return joinedGroups(record.groups);
}

void setGroups(SyncRecord& record, std::string_view text) {
    record.groups = splitGroups(text);
}

const SyncField kPersonSyncFields[] = {
    TABLE_FIELD(Person, "FName", N_("first name")),
    TABLE_FIELD(Person, "LName", N_("last name")),
    TABLE_FIELD(Person, "Company", N_("company")),
    TABLE_FIELD(Person, "Position", N_("position")),
    TABLE_FIELD(Person, "Addr1", N_("address")),
    TABLE_FIELD(Person, "Addr2", N_("address 2")),
    TABLE_FIELD(Person, "City", N_("city")),
    TABLE_FIELD(Person, "State", N_("state")),
    TABLE_FIELD(Person, "Zip", N_("zip code")),
    TABLE_FIELD(Person, "HmPhone", N_("home phone")),
    TABLE_FIELD(Person, "WkPhone", N_("work phone")),
    TABLE_FIELD(Person, "WkExt", N_("extension")),
    TABLE_FIELD(Person, "Fax", N_("fax")),
    TABLE_FIELD(Person, "Pager", N_("pager")),
    TABLE_FIELD(Person, "CelPhone", N_("cell phone")),
    TABLE_FIELD(Person, "EMail", N_("e-mail")),
    TABLE_FIELD(Person, "WebPage", N_("web page")),
    TABLE_FIELD(Person, "Notes", N_("notes")),
    {kGroupsField, N_("groups"), &groupsText, &setGroups},
    TABLE_FIELD(Person, "Birthday", N_("birthday")),
    TABLE_FIELD(Person, "Anniversary", N_("anniversary")),
};

const SyncField kAppointmentSyncFields[] = {
    TABLE_FIELD(Appointment, "Description", N_("description")),
    {"StartTime", N_("start"), &startText, &setStart},
    {"EndTime", N_("end"), &endText, &setEnd},
    {kAlarmField, N_("alarm"), &alarmText, &setAlarm},
    {kScheduleField, N_("repetition"), &scheduleText, &setSchedule},
};

const SyncField kTaskSyncFields[] = {
    TABLE_FIELD(Task, "Description", N_("description")),
    TABLE_FIELD(Task, "Priority", N_("priority")),
    TABLE_FIELD(Task, "DueDate", N_("due date")),
    TABLE_FIELD(Task, "DoneDate", N_("done date")),
};

}  // namespace

std::span<const SyncField> syncFields(RecordKind kind) {
    switch (kind) {
        case RecordKind::Person:
            return kPersonSyncFields;
        case RecordKind::Appointment:
            return kAppointmentSyncFields;
        case RecordKind::Task:
            return kTaskSyncFields;
    }
    return {};
}

const SyncField* syncField(RecordKind kind, std::string_view key) {
    for (const SyncField& field : syncFields(kind)) {
        if (field.key == key) return &field;
    }
    return nullptr;
}

FieldKeys allFields(RecordKind kind) {
    FieldKeys keys;
    for (const SyncField& field : syncFields(kind))
        keys.insert(field.key);
    return keys;
}

std::vector<std::string> fieldTexts(const SyncRecord& record) {
    std::vector<std::string> texts;
    for (const SyncField& field : syncFields(record.kind()))
        texts.push_back(field.text(record));
    return texts;
}

bool sameFields(const SyncRecord& a, const SyncRecord& b) {
    if (a.kind() != b.kind()) return false;
    for (const SyncField& field : syncFields(a.kind())) {
        if (field.text(a) != field.text(b)) return false;
    }
    return true;
}

void setFieldTexts(SyncRecord& record, const std::vector<std::string>& texts) {
    const auto fields = syncFields(record.kind());
    for (size_t i = 0; i < fields.size() && i < texts.size(); ++i)
        fields[i].setText(record, texts[i]);
}

std::string joinedGroups(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : ",") + name;
    return joined;
}

std::vector<std::string> splitGroups(std::string_view joined) {
    std::vector<std::string> names;
    while (!joined.empty()) {
        const size_t comma = joined.find(',');
        if (comma != 0) names.emplace_back(joined.substr(0, comma));
        if (comma == std::string_view::npos) break;
        joined.remove_prefix(comma + 1);
    }
    return names;
}
