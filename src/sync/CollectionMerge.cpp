#include "sync/CollectionSync.h"

// How a sync merges the two sides of a record, field by field, and names the fields both
// changed.

SyncRecord CollectionSync::withDateKept(const ParsedRecord& there, const SyncRecord& ours) {
    SyncRecord record = there.record;
    // The day a to-do without date was read is no change of its date.
    if (there.undated && record.kind() == RecordKind::Task && ours.kind() == RecordKind::Task) {
        const Task& kept = ours.task();
        record.task().DueDate = kept.DueDate;
        record.task().laterOfTwo = static_cast<uint8_t>(
            (record.task().laterOfTwo & ~Task::kLaterDue) | (kept.laterOfTwo & Task::kLaterDue));
    }
    return record;
}

SyncRecord CollectionSync::merge(const std::optional<SyncRecord>& base, const SyncRecord& here,
                                 const SyncRecord& there,
                                 std::vector<const SyncField*>& conflicts) const {
    // Each field is decided on its text; the texts are then set in order, so that an alarm
    // taken from one side keeps its lead from the start taken from the other.
    const auto fields = syncFields(there.kind());
    std::vector<std::string> merged;
    bool fromHere = false;
    for (const SyncField& field : fields) {
        std::string mine = field.text(here);
        std::string theirs = field.text(there);
        const std::optional<std::string> was =
            base ? std::optional(field.text(*base)) : std::nullopt;
        // The server's value stands unless only we changed it, or both did.
        bool takeMine = false;
        if (mine != theirs && !(was && *was == mine)) {
            if (was && *was == theirs) {
                takeMine = true;
            } else if (!was && (mine.empty() || theirs.empty())) {
                // Without a base a value on one side only is an addition, not a conflict.
                takeMine = theirs.empty();
            } else {
                takeMine = preferHere_;
                conflicts.push_back(&field);
            }
        }
        fromHere = fromHere || takeMine;
        merged.push_back(takeMine ? std::move(mine) : std::move(theirs));
    }
    SyncRecord record = there;
    if (fromHere) setFieldTexts(record, merged);
    return record;
}

void CollectionSync::noteConflicts(int32_t id, const SyncRecord& here, const SyncRecord& there,
                                   const std::vector<const SyncField*>& conflicts) {
    for (const SyncField* field : conflicts)
        report_.conflicts.push_back({here.kind(), id, std::string(field->key), recordLabel(here),
                                     field->text(here), field->text(there), preferHere_});
}
