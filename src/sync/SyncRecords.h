#pragma once

#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "records/Appointment.h"
#include "records/Person.h"
#include "records/RecordKind.h"
#include "records/Task.h"
#include "records/UndoStepNames.h"

class PimDocument;

// A record as sync compares it: the values of the fields a server item can hold, as text, in
// the order fieldNames() gives. Identifiers, and whatever no vCard or iCalendar item holds,
// are not part of it.
using Fields = std::vector<std::string>;

// The person's texts among its fields, in their order; the groups come after them.
inline constexpr PersonText kSyncedPersonTexts[] = {
    PersonText::FName,   PersonText::LName,   PersonText::Company,  PersonText::Position,
    PersonText::Addr1,   PersonText::Addr2,   PersonText::City,     PersonText::State,
    PersonText::Zip,     PersonText::HmPhone, PersonText::WkPhone,  PersonText::WkExt,
    PersonText::Fax,     PersonText::Pager,   PersonText::CelPhone, PersonText::EMail,
    PersonText::WebPage, PersonText::Notes};

// The birthday and anniversary among a person's fields, after the groups.
inline constexpr size_t kBirthdayField = std::size(kSyncedPersonTexts) + 1;
inline constexpr size_t kAnniversaryField = kBirthdayField + 1;

// The due date among a task's fields.
inline constexpr size_t kTaskDueField = 2;
// An appointment's schedule among its fields (scheduleField): "" for an ordinary one.
inline constexpr size_t kAppointmentScheduleField = 4;

// The names of the fields of a kind, for messages ("work phone").
[[nodiscard]] std::span<const char* const> fieldNames(RecordKind kind);
// "person", "appointment", "task".
[[nodiscard]] const char* kindName(RecordKind kind);
// The undo step an edit of a record of the kind is named by.
[[nodiscard]] UndoStep editStepOf(RecordKind kind);
// One letter for the state file.
[[nodiscard]] char kindLetter(RecordKind kind);
[[nodiscard]] bool kindOfLetter(char letter, RecordKind& kind);

// The fields of a person; groups are the names of its groups but the universal one, sorted
// and joined by commas; then the birthday and anniversary as the document holds them.
[[nodiscard]] Fields fieldsOf(const Person& person, const PimDocument& document);
[[nodiscard]] Fields fieldsOf(const Appointment& appointment);
[[nodiscard]] Fields fieldsOf(const Task& task);
// The fields of the record of that kind and ID; empty when the document has none.
[[nodiscard]] Fields fieldsOf(const PimDocument& document, RecordKind kind, int32_t id);
// Every record of the kind, by ID.
[[nodiscard]] std::vector<std::pair<int32_t, Fields>> recordsOf(const PimDocument& document,
                                                                RecordKind kind);

// The appointment and the task the fields describe, with no ID.
[[nodiscard]] Appointment appointmentOf(const Fields& fields);
[[nodiscard]] Task taskOf(const Fields& fields);

// Writes the fields into the record `id` (a new record for 0) through the document's
// operations, keeping what the fields do not hold (the legacy lists of a person), and
// making the groups a person's categories name. Returns the record's ID (0 when none is
// left).
int32_t storeRecord(PimDocument& document, RecordKind kind, const Fields& fields, int32_t id);
// The UID the record keeps; "" when it has none or there is no such record.
[[nodiscard]] std::string recordUid(const PimDocument& document, RecordKind kind, int32_t id);
// Has the record keep `uid`, through the document's operations; nothing when it keeps it
// already or there is no such record.
void keepUid(PimDocument& document, RecordKind kind, int32_t id, const std::string& uid);

// Removes the record through the document's operations.
void removeRecord(PimDocument& document, RecordKind kind, int32_t id);

// Whether two records with different fields are the same one edited: same first and last
// name (or company, for a person without a name) and, where both have any, one e-mail address
// or phone number in common; same description and start for appointments; same description
// for tasks. Matches a server item with ours when neither UID nor content does.
[[nodiscard]] bool sameByKey(RecordKind kind, const Fields& a, const Fields& b);

// A short name of the record for messages: the person's display name, the description.
[[nodiscard]] std::string recordLabel(RecordKind kind, const Fields& fields);
