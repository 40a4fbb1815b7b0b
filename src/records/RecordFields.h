#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "records/Appointment.h"
#include "records/DateTime.h"
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
    // Where the value lives: the one member that fits `type` (Flag uses either of two).
    std::string Record::*text = nullptr;
    int32_t Record::*number = nullptr;
    bool Record::*flag = nullptr;
    DateTime Record::*date = nullptr;
    // Dates: a null date is written as today rather than as no date at all.
    bool nullIsToday = false;
    // Dates: the value means something only while this holds; otherwise 0 is written.
    bool (*meaningful)(const Record&) = nullptr;
    DateText dateText = DateText::Day;
};

namespace fields {

// A field of `type` held in `member`, whose type picks the member pointer it fills.
template <class R, class M>
constexpr FieldSpec<R> held(std::string_view doc, std::string_view text, FieldType type,
                            M R::*member) {
    FieldSpec<R> f{doc, text, type};
    if constexpr (std::is_same_v<M, std::string>)
        f.text = member;
    else if constexpr (std::is_same_v<M, int32_t>)
        f.number = member;
    else if constexpr (std::is_same_v<M, bool>)
        f.flag = member;
    else
        f.date = member;
    return f;
}
template <class R>
constexpr FieldSpec<R> text(std::string_view doc, std::string_view text, std::string R::*member) {
    return held(doc, text, FieldType::Text, member);
}
template <class R>
constexpr FieldSpec<R> number(std::string_view doc, std::string_view text, int32_t R::*member) {
    return held(doc, text, FieldType::Number, member);
}
template <class R, class M>
constexpr FieldSpec<R> flag(std::string_view doc, std::string_view text, M R::*member) {
    return held(doc, text, FieldType::Flag, member);
}
template <class R>
constexpr FieldSpec<R> date(std::string_view doc, std::string_view text, DateTime R::*member,
                            DateText shown, bool nullIsToday = false,
                            bool (*meaningful)(const R&) = nullptr) {
    FieldSpec<R> f = held(doc, text, FieldType::Date, member);
    f.dateText = shown;
    f.nullIsToday = nullIsToday;
    f.meaningful = meaningful;
    return f;
}

}  // namespace fields

// Each table lists the fields in the order the document writes them.
inline constexpr FieldSpec<Person> kPersonFields[] = {
    fields::number<Person>("ID", "", &Person::ID),
    fields::text<Person>("FName", "FirstName", &Person::FName),
    fields::text<Person>("LName", "LastName", &Person::LName),
    fields::text<Person>("RName", "", &Person::RName),
    fields::text<Person>("Company", "Company", &Person::Company),
    fields::text<Person>("Position", "Position", &Person::Position),
    fields::text<Person>("Addr1", "Address1", &Person::Addr1),
    fields::text<Person>("Addr2", "Address2", &Person::Addr2),
    fields::text<Person>("City", "City", &Person::City),
    fields::text<Person>("State", "State", &Person::State),
    fields::text<Person>("Zip", "ZipCode", &Person::Zip),
    fields::flag<Person>("YellowPages", "YellowPages", &Person::YellowPages),
    fields::flag<Person>("WhitePages", "WhitePages", &Person::WhitePages),
    fields::text<Person>("Notes", "Notes", &Person::Notes),
    fields::text<Person>("HmPhone", "HomePhone", &Person::HmPhone),
    fields::text<Person>("WkPhone", "WorkPhone", &Person::WkPhone),
    fields::text<Person>("WkExt", "WorkExtension", &Person::WkExt),
    fields::text<Person>("Fax", "Fax", &Person::Fax),
    fields::text<Person>("CelPhone", "CelPhone", &Person::CelPhone),
    fields::text<Person>("Pager", "Pager", &Person::Pager),
    fields::text<Person>("EMail", "E-Mail", &Person::EMail),
    fields::text<Person>("WebPage", "WebPage", &Person::WebPage),
};

inline constexpr FieldSpec<Task> kTaskFields[] = {
    fields::number<Task>("ID", "", &Task::ID),
    fields::text<Task>("Description", "Task", &Task::Description),
    fields::number<Task>("Priority", "Priority", &Task::Priority),
    fields::date<Task>("DueDate", "DueDate", &Task::DueDate, DateText::Day, true),
    fields::date<Task>("DoneDate", "", &Task::DoneDate, DateText::Day, true,
                       [](const Task& t) { return t.isDone(); }),
};

inline constexpr FieldSpec<Appointment> kAppointmentFields[] = {
    fields::number<Appointment>("ID", "", &Appointment::ID),
    fields::text<Appointment>("Description", "Appointment", &Appointment::Description),
    fields::date<Appointment>("DueDate", "Date", &Appointment::DueDate, DateText::Day),
    fields::date<Appointment>("StartTime", "StartTime", &Appointment::StartTime,
                              DateText::TimeOfDay),
    fields::date<Appointment>("EndTime", "EndTime", &Appointment::EndTime, DateText::TimeOfDay),
    fields::flag<Appointment>("Alarm", "Alarmed", &Appointment::Alarm),
    fields::date<Appointment>("AlarmTime", "AlarmTime", &Appointment::AlarmTime,
                              DateText::MinutesBefore, false,
                              [](const Appointment& a) { return a.Alarm; }),
    fields::flag<Appointment>("Done", "", &Appointment::Done),
};

inline constexpr FieldSpec<PhGroup> kPhGroupFields[] = {
    fields::number<PhGroup>("ID", "", &PhGroup::ID),
};

inline constexpr FieldSpec<User> kUserFields[] = {
    fields::text<User>("FName", "", &User::FName),
    fields::text<User>("LName", "", &User::LName),
    fields::text<User>("Company", "", &User::Company),
    fields::text<User>("Position", "", &User::Position),
    fields::text<User>("Addr1", "", &User::Addr1),
    fields::text<User>("Addr2", "", &User::Addr2),
    fields::text<User>("City", "", &User::City),
    fields::text<User>("State", "", &User::State),
    fields::text<User>("Zip", "", &User::Zip),
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

// Sets a Flag field, whichever member holds it.
template <class Record>
void setFlag(Record& record, const FieldSpec<Record>& field, bool value) {
    if (field.flag != nullptr)
        record.*field.flag = value;
    else
        record.*field.number = value ? 1 : 0;
}

// The field whose text-file name is `name`, or nullptr.
template <class Record>
constexpr const FieldSpec<Record>* fieldByTextName(std::string_view name) {
    for (const FieldSpec<Record>& field : recordFields<Record>()) {
        if (!field.textName.empty() && field.textName == name) return &field;
    }
    return nullptr;
}
