#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "records/Appointment.h"
#include "records/DateTime.h"
#include "records/MonthDay.h"
#include "records/Person.h"
#include "records/PhGroup.h"
#include "records/Task.h"
#include "records/User.h"

// The one description of each record kind's fields: the name of each in the document file
// and in delimited text files, where it lives in the record and how it is read and
// written. The document reader and writer, the text export and the person import all work
// from these tables, so a new plain field is one line here (and, for text files, its place
// in the wizard's field lists).

// How a value is held and read.
enum class FieldType {
    Text,    // text as it stands
    Number,  // a 32-bit number, read as the C library's atol reads it
    Flag,    // true only for "1" in the document; written 0 or 1
    Date,    // seconds since 1970 in the document
    Yearly,  // a MonthDay: "1990-02-29" or "--02-29"
};

// How a date appears in text files.
enum class DateText {
    Day,            // the short date
    TimeOfDay,      // the short time
    MinutesBefore,  // whole minutes before the appointment's start (the alarm warning)
};

template <class Record>
struct FieldSpec {
    std::string_view documentName;  // the attribute in the document; "" for none
    std::string_view textName;      // the column in text files; "" for none
    FieldType type = FieldType::Text;
    // Where the value lives: the one member that fits `type` (Flag uses either of two);
    // a text is reached through the two functions.
    std::string_view (*textOf)(const Record&) = nullptr;
    void (*setText)(Record&, std::string_view) = nullptr;
    int32_t Record::*number = nullptr;
    bool Record::*flag = nullptr;
    DateTime Record::*date = nullptr;
    MonthDay Record::*yearly = nullptr;
    // Dates: a null date is written as today rather than as no date at all.
    bool nullIsToday = false;
    // Dates: the value means something only while this holds; otherwise 0 is written.
    bool (*meaningful)(const Record&) = nullptr;
    DateText dateText = DateText::Day;
    // Beyond version 16: written only when set (not 0, not empty), and never carried over
    // from the record before when missing, so that a document without it keeps its bytes.
    bool added = false;
    // Dates: the record's laterOfTwo bit for this one; 0 for a record without them.
    uint8_t laterBit = 0;
};

namespace fields {

// A field of `type` held in `member`, whose type picks the member pointer it fills.
template <class R, class M>
constexpr FieldSpec<R> held(std::string_view doc, std::string_view text, FieldType type,
                            M R::*member) {
    FieldSpec<R> f{doc, text, type};
    if constexpr (std::is_same_v<M, int32_t>)
        f.number = member;
    else if constexpr (std::is_same_v<M, bool>)
        f.flag = member;
    else if constexpr (std::is_same_v<M, MonthDay>)
        f.yearly = member;
    else
        f.date = member;
    return f;
}
// A text held in a string member of the record.
template <class R, std::string R::*member>
constexpr FieldSpec<R> text(std::string_view doc, std::string_view text) {
    FieldSpec<R> f{doc, text, FieldType::Text};
    f.textOf = [](const R& record) { return std::string_view(record.*member); };
    f.setText = [](R& record, std::string_view value) { (record.*member).assign(value); };
    return f;
}

// A person's text.
template <PersonText field>
constexpr FieldSpec<Person> personText(std::string_view doc, std::string_view text) {
    FieldSpec<Person> f{doc, text, FieldType::Text};
    f.textOf = [](const Person& person) { return person.text(field); };
    f.setText = [](Person& person, std::string_view value) { person.setText(field, value); };
    return f;
}
template <class R>
constexpr FieldSpec<R> number(std::string_view doc, std::string_view text, int32_t R::*member) {
    return held(doc, text, FieldType::Number, member);
}
template <class R, class M>
constexpr FieldSpec<R> flag(std::string_view doc, std::string_view text, M R::*member) {
    return held(doc, text, FieldType::Flag, member);
}
// A field beyond version 16: a day that comes back every year.
template <class R>
constexpr FieldSpec<R> yearly(std::string_view doc, std::string_view text, MonthDay R::*member) {
    FieldSpec<R> f = held(doc, text, FieldType::Yearly, member);
    f.added = true;
    return f;
}
// A number beyond version 16, written only when not 0.
template <class R>
constexpr FieldSpec<R> addedNumber(std::string_view doc, int32_t R::*member) {
    FieldSpec<R> f = number(doc, "", member);
    f.added = true;
    return f;
}
template <class R>
constexpr FieldSpec<R> date(std::string_view doc, std::string_view text, DateTime R::*member,
                            DateText shown, bool nullIsToday = false,
                            bool (*meaningful)(const R&) = nullptr, uint8_t laterBit = 0) {
    FieldSpec<R> f = held(doc, text, FieldType::Date, member);
    f.laterBit = laterBit;
    f.dateText = shown;
    f.nullIsToday = nullIsToday;
    f.meaningful = meaningful;
    return f;
}

}  // namespace fields

// Each table lists the fields in the order the document writes them.
inline constexpr FieldSpec<Person> kPersonFields[] = {
    fields::number<Person>("ID", "", &Person::ID),
    fields::personText<PersonText::FName>("FName", "FirstName"),
    fields::personText<PersonText::LName>("LName", "LastName"),
    fields::personText<PersonText::RName>("RName", ""),
    fields::personText<PersonText::Company>("Company", "Company"),
    fields::personText<PersonText::Position>("Position", "Position"),
    fields::personText<PersonText::Addr1>("Addr1", "Address1"),
    fields::personText<PersonText::Addr2>("Addr2", "Address2"),
    fields::personText<PersonText::City>("City", "City"),
    fields::personText<PersonText::State>("State", "State"),
    fields::personText<PersonText::Zip>("Zip", "ZipCode"),
    fields::flag<Person>("YellowPages", "YellowPages", &Person::YellowPages),
    fields::flag<Person>("WhitePages", "WhitePages", &Person::WhitePages),
    fields::personText<PersonText::Notes>("Notes", "Notes"),
    fields::personText<PersonText::HmPhone>("HmPhone", "HomePhone"),
    fields::personText<PersonText::WkPhone>("WkPhone", "WorkPhone"),
    fields::personText<PersonText::WkExt>("WkExt", "WorkExtension"),
    fields::personText<PersonText::Fax>("Fax", "Fax"),
    fields::personText<PersonText::CelPhone>("CelPhone", "CelPhone"),
    fields::personText<PersonText::Pager>("Pager", "Pager"),
    fields::personText<PersonText::EMail>("EMail", "E-Mail"),
    fields::personText<PersonText::WebPage>("WebPage", "WebPage"),
    fields::yearly<Person>("Birthday", "Birthday", &Person::Birthday),
    fields::yearly<Person>("Anniversary", "Anniversary", &Person::Anniversary),
    fields::addedNumber<Person>("BirthdayReminded", &Person::BirthdayReminded),
    fields::addedNumber<Person>("AnniversaryReminded", &Person::AnniversaryReminded),
};

// The text a field of kPersonFields holds: its texts come in PersonText order.
constexpr PersonText personTextOf(const FieldSpec<Person>& field) {
    size_t texts = 0;
    for (const FieldSpec<Person>& each : kPersonFields) {
        if (&each == &field) break;
        if (each.type == FieldType::Text) ++texts;
    }
    return PersonText(texts);
}

static_assert(
    [] {
        constexpr std::string_view names[] = {
#define QUILLMATE_PERSON_TEXT_STRING(name) #name,
            QUILLMATE_PERSON_TEXTS(QUILLMATE_PERSON_TEXT_STRING)
#undef QUILLMATE_PERSON_TEXT_STRING
        };
        size_t next = 0;
        for (const FieldSpec<Person>& field : kPersonFields) {
            if (field.type == FieldType::Text && field.documentName != names[next++]) return false;
        }
        return next == kPersonTextCount;
    }(),
    "the person's text fields are listed in PersonText order");

inline constexpr FieldSpec<Task> kTaskFields[] = {
    fields::number<Task>("ID", "", &Task::ID),
    fields::text<Task, &Task::Description>("Description", "Task"),
    fields::number<Task>("Priority", "Priority", &Task::Priority),
    fields::date<Task>("DueDate", "DueDate", &Task::DueDate, DateText::Day, true, nullptr,
                       Task::kLaterDue),
    fields::date<Task>(
        "DoneDate", "", &Task::DoneDate, DateText::Day, true,
        [](const Task& t) { return t.isDone(); }, Task::kLaterDone),
};

inline constexpr FieldSpec<Appointment> kAppointmentFields[] = {
    fields::number<Appointment>("ID", "", &Appointment::ID),
    fields::text<Appointment, &Appointment::Description>("Description", "Appointment"),
    fields::date<Appointment>("DueDate", "Date", &Appointment::DueDate, DateText::Day, false,
                              nullptr, Appointment::kLaterDue),
    fields::date<Appointment>("StartTime", "StartTime", &Appointment::StartTime,
                              DateText::TimeOfDay, false, nullptr, Appointment::kLaterStart),
    fields::date<Appointment>("EndTime", "EndTime", &Appointment::EndTime, DateText::TimeOfDay,
                              false, nullptr, Appointment::kLaterEnd),
    fields::flag<Appointment>("Alarm", "Alarmed", &Appointment::Alarm),
    fields::date<Appointment>(
        "AlarmTime", "AlarmTime", &Appointment::AlarmTime, DateText::MinutesBefore, false,
        [](const Appointment& a) { return a.Alarm; }, Appointment::kLaterAlarm),
    fields::flag<Appointment>("Done", "", &Appointment::Done),
};

inline constexpr FieldSpec<PhGroup> kPhGroupFields[] = {
    fields::number<PhGroup>("ID", "", &PhGroup::ID),
};

inline constexpr FieldSpec<User> kUserFields[] = {
    fields::text<User, &User::FName>("FName", ""),
    fields::text<User, &User::LName>("LName", ""),
    fields::text<User, &User::Company>("Company", ""),
    fields::text<User, &User::Position>("Position", ""),
    fields::text<User, &User::Addr1>("Addr1", ""),
    fields::text<User, &User::Addr2>("Addr2", ""),
    fields::text<User, &User::City>("City", ""),
    fields::text<User, &User::State>("State", ""),
    fields::text<User, &User::Zip>("Zip", ""),
};

// The table of a record kind.
template <class Record>
constexpr std::span<const FieldSpec<Record>> recordFields() {
    if constexpr (std::is_same_v<Record, Person>)
        return kPersonFields;
    else if constexpr (std::is_same_v<Record, Task>)
        return kTaskFields;
    else if constexpr (std::is_same_v<Record, Appointment>)
        return kAppointmentFields;
    else if constexpr (std::is_same_v<Record, PhGroup>)
        return kPhGroupFields;
    else
        return kUserFields;
}

// The value of a Flag field, whichever member holds it.
template <class Record>
bool flagValue(const Record& record, const FieldSpec<Record>& field) {
    return field.flag != nullptr ? record.*field.flag : record.*field.number != 0;
}

// Whether a field beyond version 16 holds nothing, and so is not written.
template <class Record>
bool isUnset(const Record& record, const FieldSpec<Record>& field) {
    if (field.type == FieldType::Yearly) return !(record.*field.yearly).isSet();
    return field.type == FieldType::Number && record.*field.number == 0;
}

// Clears the fields beyond version 16 before a record is read.
template <class Record>
void clearAddedFields(Record& record) {
    for (const FieldSpec<Record>& field : recordFields<Record>()) {
        if (!field.added) continue;
        if (field.type == FieldType::Yearly)
            record.*field.yearly = MonthDay();
        else if (field.type == FieldType::Number)
            record.*field.number = 0;
    }
}

// Sets a Flag field, whichever member holds it.
template <class Record>
void setFlag(Record& record, const FieldSpec<Record>& field, bool value) {
    if (field.flag != nullptr)
        record.*field.flag = value;
    else
        record.*field.number = value ? 1 : 0;
}

// Whether a Date field names the later instant of an hour the clocks repeat.
template <class Record>
bool laterOfTwo(const Record& record, const FieldSpec<Record>& field) {
    if constexpr (requires { record.laterOfTwo; })
        return (record.laterOfTwo & field.laterBit) != 0;
    else
        return false;
}

// Sets or clears a Date field's later-of-two bit, for a record kind that has them.
template <class Record>
void setLaterOfTwo(Record& record, const FieldSpec<Record>& field, bool later) {
    if constexpr (requires { record.laterOfTwo; }) {
        record.laterOfTwo = static_cast<uint8_t>(later ? record.laterOfTwo | field.laterBit
                                                       : record.laterOfTwo & ~field.laterBit);
    }
}

// The field whose text-file name is `name`, or nullptr.
template <class Record>
constexpr const FieldSpec<Record>* fieldByTextName(std::string_view name) {
    for (const FieldSpec<Record>& field : recordFields<Record>()) {
        if (!field.textName.empty() && field.textName == name) return &field;
    }
    return nullptr;
}
