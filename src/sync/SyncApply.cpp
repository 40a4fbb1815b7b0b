#include "sync/SyncApply.h"

#include <algorithm>
#include <map>
#include <vector>

#include "records/PimDocument.h"

namespace {

using IdMap = std::map<int32_t, int32_t>;

// Gives a person the IDs its groups got in the open document.
void renumberGroups(Person& person, const IdMap& groups) {
    for (int32_t& id : person.PhGroups) {
        if (const auto it = groups.find(id); it != groups.end()) id = it->second;
    }
}
template <class Record>
void renumberGroups(Record&, const IdMap&) {}

template <class Record>
int applyKind(PimDocument& live, const RecordStore<Record>& before,
              const RecordStore<Record>& after, const IdMap& groups, IdMap& newIds) {
    const RecordStore<Record>& here = live.contents().store<Record>();
    int kept = 0;
    std::vector<int32_t> removed;
    std::vector<Record> changed;
    for (const auto& [id, old] : before) {
        const Record* now = here.find(id);
        const Record* synced = after.find(id);
        if (synced != nullptr && *synced == old) continue;
        // Changed or deleted by the user while the sync ran: theirs stays.
        if (now == nullptr || !(*now == old)) {
            kept += now != nullptr ? 1 : 0;
            continue;
        }
        if (synced == nullptr) {
            removed.push_back(id);
        } else {
            Record record = *synced;
            renumberGroups(record, groups);
            changed.push_back(std::move(record));
        }
    }
    // IDs the user took meanwhile go to the sync's new records after every ID either side
    // has used, so that no record of the state names two.
    int32_t next = std::max(here.nextId(), after.nextId());
    std::map<int32_t, Record> added;
    for (const auto& [id, record] : after) {
        if (before.contains(id)) continue;
        Record copy = record;
        renumberGroups(copy, groups);
        if (here.contains(id)) {
            copy.ID = next++;
            newIds[id] = copy.ID;
        }
        added.emplace(copy.ID, std::move(copy));
    }
    if (!removed.empty())
        live.apply(RecordEdit<Record>(EraseRecords<Record>{std::move(removed), here.lastId()}));
    if (!changed.empty())
        live.apply(RecordEdit<Record>(ReplaceRecords<Record>{std::move(changed)}));
    if (!added.empty()) {
        const int32_t lastId = std::max(here.lastId(), added.rbegin()->first);
        live.apply(RecordEdit<Record>(InsertRecords<Record>{std::move(added), lastId}));
    }
    return kept;
}

void renumberState(SyncState& state, RecordKind kind, const IdMap& ids) {
    if (ids.empty()) return;
    for (auto& [name, collection] : state.collections) {
        for (auto& [href, item] : collection.items) {
            for (SyncedRecord& record : item.records) {
                if (record.kind != kind) continue;
                if (const auto it = ids.find(record.id); it != ids.end()) record.id = it->second;
            }
        }
    }
}

}  // namespace

int applySyncedCopy(PimDocument& live, const PimContents& before, const PimContents& after,
                    SyncState& state) {
    IdMap groups, persons, appointments, tasks;
    IdMap none;
    int kept = applyKind(live, before.phGroups, after.phGroups, none, groups);
    kept += applyKind(live, before.persons, after.persons, groups, persons);
    kept += applyKind(live, before.appointments, after.appointments, none, appointments);
    kept += applyKind(live, before.tasks, after.tasks, none, tasks);
    renumberState(state, RecordKind::Person, persons);
    renumberState(state, RecordKind::Appointment, appointments);
    renumberState(state, RecordKind::Task, tasks);
    return kept;
}
