#include "platform/Translate.h"
#include "records/PimDocument.h"
#include "sync/CollectionSync.h"

// How a sync pairs the server's items and our records that no state names: its own items
// and records it made before a state was lost, the same record on both sides, and what is
// new on either.

std::string CollectionSync::nameOf(const SyncRecord& record) {
    switch (record.kind()) {
        case RecordKind::Appointment:
            return record.appointment().Description;
        case RecordKind::Task:
            return record.task().Description;
        case RecordKind::Person:
            break;
    }
    return std::string(record.person().FName()) + '\n' + std::string(record.person().LName());
}

int32_t CollectionSync::unmappedLike(const SyncRecord& there) const {
    const RecordKind kind = there.kind();
    std::set<int32_t> mapped;
    for (const auto& [href, item] : state_.items)
        for (const SyncedRecord& record : item.records)
            if (record.kind == kind) mapped.insert(record.id);
    const auto records = recordsOf(document_, kind);
    for (const auto& [id, here] : records)
        if (sameFields(here, there) && !mapped.contains(id)) return id;
    for (const auto& [id, here] : records)
        if (sameByKey(here, there) && !mapped.contains(id)) return id;
    return 0;
}

void CollectionSync::adoptNew(const std::string& href, const Fetched& fetched,
                              const ParsedItem& parsed) {
    std::set<Key>& mapped = mapped_;
    SyncedItem item{fetched.etag, parsed.uid, parsed.recurring, {}};
    for (const ParsedRecord& parsedRecord : parsed.records) {
        const SyncRecord& there = parsedRecord.record;
        const RecordKind kind = there.kind();
        int32_t id = 0;
        // The record that keeps the item's UID is the one it stands for.
        if (const auto kept = byUid_.find({kind, parsed.uid});
            parsed.records.size() == 1 && kept != byUid_.end() &&
            !mapped.contains({kind, kept->second}))
            id = kept->second;
        // Our own UID names the record it was made from, and so does the name we gave the
        // resource, which stays when another client writes the item under another UID.
        const std::string stem = uidStem_ + "-" + kindLetter(kind);
        const std::string file = href.substr(href.rfind('/') + 1);
        const std::string& ours = parsed.uid.starts_with(stem) ? parsed.uid : file;
        if (id == 0 && parsed.records.size() == 1 && ours.starts_with(stem)) {
            const int32_t named = std::atoi(ours.c_str() + stem.size());
            if (!mapped.contains({kind, named}) && syncRecordOf(document_, kind, named)) id = named;
        }
        if (const auto same = unmatched_.find({kind, fieldTexts(there)});
            id == 0 && same != unmatched_.end()) {
            auto& candidates = same->second;
            while (!candidates.empty() && id == 0) {
                if (!mapped.contains({kind, candidates.back()})) id = candidates.back();
                candidates.pop_back();
            }
        }
        // Edited since the state was lost (or never saved): the same record by its key,
        // looked for among those of the same name only, so that many new items cost no more
        // than a look each.
        if (const auto named = unmatchedByName_.find({kind, nameOf(there)});
            id == 0 && named != unmatchedByName_.end()) {
            for (const int32_t candidate : named->second) {
                const auto here = unmatchedRecords_.find({kind, candidate});
                if (!mapped.contains({kind, candidate}) && here != unmatchedRecords_.end() &&
                    sameByKey(here->second, there)) {
                    id = candidate;
                    break;
                }
            }
        }
        SyncRecord theirs = there;
        if (id != 0) {
            const SyncRecord here = *syncRecordOf(document_, kind, id);
            theirs = withDateKept(parsedRecord, here);
            std::vector<const SyncField*> conflicts;
            const SyncRecord merged = merge(std::nullopt, here, theirs, conflicts);
            noteConflicts(id, here, theirs, conflicts);
            if (!sameFields(merged, here)) storeRecord(document_, merged, id);
            ++report_.counts[kind].alreadyHere;
        } else {
            id = storeRecord(document_, there, 0);
            ++report_.counts[kind].down;
        }
        // It keeps the item's UID for life, also when the state is lost.
        if (parsed.records.size() == 1 && !parsed.uid.empty())
            keepUid(document_, kind, id, parsed.uid);
        mapped.insert({kind, id});
        item.records.push_back({kind, id, std::move(theirs)});
    }
    state_.items[href] = std::move(item);
}

Status CollectionSync::uploadNew() {
    std::set<Key> mapped;
    for (const auto& [href, item] : state_.items) {
        for (const SyncedRecord& record : item.records)
            mapped.insert({record.kind, record.id});
    }
    const std::string folder = DavClient::folderOf(state_.url);
    int notSent = 0;
    for (const RecordKind kind : codec_.kinds()) {
        for (const auto& [id, record] : recordsOf(document_, kind)) {
            if (mapped.contains({kind, id})) continue;
            if (state_.readOnly) {
                ++notSent;
                continue;
            }
            // A record goes up under the UID it keeps, or keeps the one made for it; its
            // resource is named by ours, which holds no character a path must escape.
            const std::string kept = recordUid(document_, kind, id);
            const std::string uid = kept.empty() ? uidFor(kind, id) : kept;
            const std::string href = folder + uidFor(kind, id) + codec_.extension();
            std::string etag;
            int code = 0;
            if (Status pushed = push(href, "", "", record, allFields(kind), uid, code, etag);
                !pushed)
                return pushed;
            if (code == 0) continue;
            if (code == 412) {
                // Put there by a sync that was cut short: ours from here on, and in step.
                Fetched fetched;
                bool gone = false;
                if (Status got = fetchOne(href, fetched, gone); !got) return got;
                const ParsedItem parsed = codec_.parse(fetched.body);
                if (gone || !parsed.error.empty() || parsed.records.size() != 1) {
                    skip(href, _("a resource of this name is on the server and cannot be read"));
                    continue;
                }
                state_.items[href] = {"", uid, false, {{kind, id, parsed.records[0].record}}};
                if (Status done = reconcile(href, fetched); !done) return done;
                continue;
            }
            state_.items[href] = {etag, uid, false, {{kind, id, record}}};
            if (kept.empty()) keepUid(document_, kind, id, uid);
            ++report_.counts[kind].up;
        }
    }
    if (notSent > 0)
        report_.notes.push_back(
            fillIn(P_("%s record made here is not sent: the collection at %s may not be written",
                      "%s records made here are not sent: the collection at %s may not be written",
                      notSent),
                   {std::to_string(notSent), state_.url}));
    return {};
}
