#pragma once

#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sync/SyncRecord.h"

// What sync compares of a record, field by field: each a value of the record table of its
// kind (records/RecordFields.h), named as the document names it, or one of sync's own
// (a person's groups; an appointment's alarm as a lead and its schedule). A field's value
// as text is what the state keeps, what is merged and what messages show.
struct SyncField {
    std::string_view key;  // its name in the state file and in code
    const char* label;     // for messages ("work phone"), untranslated
    std::string (*text)(const SyncRecord& record);
    // Sets the value from its text; an appointment's alarm reads against the start it holds.
    void (*setText)(SyncRecord& record, std::string_view text);
};

// The keys of sync's own fields.
inline constexpr std::string_view kGroupsField = "Groups";
inline constexpr std::string_view kAlarmField = "Alarm";
inline constexpr std::string_view kScheduleField = "Schedule";

// The fields of a kind, in the order they are set (an alarm after the start).
[[nodiscard]] std::span<const SyncField> syncFields(RecordKind kind);
// The field of that key, or nullptr.
[[nodiscard]] const SyncField* syncField(RecordKind kind, std::string_view key);

// The keys of fields that changed, as the codecs are told what to write.
using FieldKeys = std::set<std::string_view>;
// Every field of the kind.
[[nodiscard]] FieldKeys allFields(RecordKind kind);

// The texts of all fields, in order: equal exactly when sync sees no difference.
[[nodiscard]] std::vector<std::string> fieldTexts(const SyncRecord& record);
[[nodiscard]] bool sameFields(const SyncRecord& a, const SyncRecord& b);
// Sets every field from `texts` (as fieldTexts gives them) in order.
void setFieldTexts(SyncRecord& record, const std::vector<std::string>& texts);

// A group list as one field: the names joined by commas, and split back. A name that holds a
// comma reads back as two.
[[nodiscard]] std::string joinedGroups(const std::vector<std::string>& names);
[[nodiscard]] std::vector<std::string> splitGroups(std::string_view joined);
