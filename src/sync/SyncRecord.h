#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "records/Appointment.h"
#include "records/Person.h"
#include "records/RecordKind.h"
#include "records/Task.h"
#include "records/UndoStepNames.h"

class PimDocument;

// A record as sync carries it between the document, the server's items and the state: the
// record itself and, for a person, the names of its groups but the universal one, sorted
// and each once, since group numbers belong to one document.
struct SyncRecord {
    std::variant<Person, Appointment, Task> record;
    std::vector<std::string> groups;

    SyncRecord() = default;
    explicit SyncRecord(Person person, std::vector<std::string> groupNames = {})
        : record(std::move(person)), groups(std::move(groupNames)) {}
    explicit SyncRecord(Appointment appointment) : record(std::move(appointment)) {}
    explicit SyncRecord(Task task) : record(std::move(task)) {}
    // An empty record of the kind.
    [[nodiscard]] static SyncRecord blank(RecordKind kind);

    // The variant lists the kinds in RecordKind's order.
    [[nodiscard]] RecordKind kind() const { return RecordKind(record.index()); }
    [[nodiscard]] const Person& person() const { return std::get<Person>(record); }
    [[nodiscard]] const Appointment& appointment() const { return std::get<Appointment>(record); }
    [[nodiscard]] const Task& task() const { return std::get<Task>(record); }
    [[nodiscard]] Person& person() { return std::get<Person>(record); }
    [[nodiscard]] Appointment& appointment() { return std::get<Appointment>(record); }
    [[nodiscard]] Task& task() { return std::get<Task>(record); }
};

// "person", "appointment", "task".
[[nodiscard]] const char* kindName(RecordKind kind);
// The undo step an edit of a record of the kind is named by.
[[nodiscard]] UndoStep editStepOf(RecordKind kind);
// One letter for the state file.
[[nodiscard]] char kindLetter(RecordKind kind);
[[nodiscard]] bool kindOfLetter(char letter, RecordKind& kind);

// The names of the person's groups as SyncRecord keeps them.
[[nodiscard]] std::vector<std::string> groupNamesOf(const Person& person,
                                                    const PimDocument& document);
// The record of that kind and ID; nothing when the document has none.
[[nodiscard]] std::optional<SyncRecord> syncRecordOf(const PimDocument& document, RecordKind kind,
                                                     int32_t id);
// Every record of the kind, by ID.
[[nodiscard]] std::vector<std::pair<int32_t, SyncRecord>> recordsOf(const PimDocument& document,
                                                                    RecordKind kind);

// Writes what sync holds of `record` (its fields, syncFields) into the record `id` (a new
// record for 0) through the document's operations, keeping the rest (the legacy lists of a
// person, a UID, the alarms rung), and filing a person in the groups it names. Returns the
// record's ID (0 when none is left).
int32_t storeRecord(PimDocument& document, const SyncRecord& record, int32_t id);
// The UID the record keeps; "" when it has none or there is no such record.
[[nodiscard]] std::string recordUid(const PimDocument& document, RecordKind kind, int32_t id);
// Has the record keep `uid`, through the document's operations; nothing when it keeps it
// already or there is no such record.
void keepUid(PimDocument& document, RecordKind kind, int32_t id, const std::string& uid);
// Removes the record through the document's operations.
void removeRecord(PimDocument& document, RecordKind kind, int32_t id);

// Whether two records that differ are the same one edited: same first and last name (or
// company, for a person without a name) and, where both have any, one e-mail address or
// phone number in common; same description and start for appointments; same description
// for tasks. Matches a server item with ours when neither UID nor content does.
[[nodiscard]] bool sameByKey(const SyncRecord& a, const SyncRecord& b);

// A short name of the record for messages: the person's display name, the description.
[[nodiscard]] std::string recordLabel(const SyncRecord& record);
