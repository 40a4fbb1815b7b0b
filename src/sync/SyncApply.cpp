#include "sync/SyncApply.h"

#include <algorithm>
#include <map>
#include <set>
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

// `disputed` gets the records the user changed or deleted meanwhile that the sync changed too.
template <class Record>
int applyKind(PimDocument& live, const RecordStore<Record>& before,
              const RecordStore<Record>& after, const IdMap& groups, IdMap& newIds,
              std::set<int32_t>& disputed) {
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
            if (now != nullptr || synced != nullptr) disputed.insert(id);
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
    typename RecordStore<Record>::Map added;
    for (const auto& [id, record] : after) {
        if (before.contains(id)) continue;
        Record copy = record;
        renumberGroups(copy, groups);
        if (here.contains(id)) {
            copy.ID = next++;
            newIds[id] = copy.ID;
        }
        added.emplace(copy.ID, std::make_shared<Record>(std::move(copy)));
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

bool names(const SyncedItem& item, RecordKind kind, const std::set<int32_t>& ids) {
    return std::any_of(item.records.begin(), item.records.end(), [&](const SyncedRecord& record) {
        return record.kind == kind && ids.contains(record.id);
    });
}

// The state of a disputed record goes back to what it was as the sync started, so that the
// next sync sees both sides changed and merges them field by field; else the user's version
// would go up whole over the server's change, or a delete here would beat a change there.
// An item the sync tied it to afresh loses its ETag, so that the next sync looks at it again.
void restoreStarted(SyncState& state, const SyncState& started, RecordKind kind,
                    const std::set<int32_t>& ids) {
    if (ids.empty()) return;
    static const CollectionState kNone;
    for (auto& [name, collection] : state.collections) {
        const auto found = started.collections.find(name);
        const CollectionState& was =
            found != started.collections.end() && found->second.url == collection.url
                ? found->second
                : kNone;
        for (auto& [href, item] : collection.items) {
            if (!names(item, kind, ids)) continue;
            if (const auto it = was.items.find(href); it != was.items.end())
                item = it->second;
            else
                item.etag.clear();
        }
        for (const auto& [href, item] : was.items) {
            if (names(item, kind, ids)) collection.items.try_emplace(href, item);
        }
    }
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
                    const SyncState& started, SyncState& state) {
    IdMap groups, persons, appointments, tasks;
    IdMap none;
    std::set<int32_t> noGroups, disputedPersons, disputedAppointments, disputedTasks;
    int kept = applyKind(live, before.phGroups, after.phGroups, none, groups, noGroups);
    kept += applyKind(live, before.persons, after.persons, groups, persons, disputedPersons);
    kept += applyKind(live, before.appointments, after.appointments, none, appointments,
                      disputedAppointments);
    kept += applyKind(live, before.tasks, after.tasks, none, tasks, disputedTasks);
    restoreStarted(state, started, RecordKind::Person, disputedPersons);
    restoreStarted(state, started, RecordKind::Appointment, disputedAppointments);
    restoreStarted(state, started, RecordKind::Task, disputedTasks);
    renumberState(state, RecordKind::Person, persons);
    renumberState(state, RecordKind::Appointment, appointments);
    renumberState(state, RecordKind::Task, tasks);
    return kept;
}
