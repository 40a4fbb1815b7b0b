#include "sync/CollectionSync.h"
#include "platform/Translate.h"

#include <algorithm>

#include "records/PimDocument.h"

namespace {

// Writes of one item tried while the server's item keeps changing under them.
constexpr int kAttempts = 3;

}  // namespace

CollectionSync::CollectionSync(DavClient& dav, const ItemCodec& codec, PimDocument& document,
                               CollectionState& state, SyncReport& report, std::string uidStem)
    : dav_(dav),
      codec_(codec),
      document_(document),
      state_(state),
      report_(report),
      uidStem_(std::move(uidStem)) {}

std::string CollectionSync::url(const std::string& href) const {
    return DavClient::resolve(state_.url, href);
}

std::string CollectionSync::uidFor(RecordKind kind, int32_t id) const {
    return uidStem_ + "-" + kindLetter(kind) + std::to_string(id);
}

void CollectionSync::skip(const std::string& href, const std::string& reason) {
    report_.skipped.push_back(href + ": " + reason);
}

std::optional<SyncRecord> CollectionSync::local(const SyncedRecord& record) const {
    return syncRecordOf(document_, record.kind, record.id);
}

bool CollectionSync::isSeries(const SyncedItem& item) const {
    return item.recurring || item.records.size() != 1;
}

bool CollectionSync::editedHere(const SyncedItem& item) const {
    for (const SyncedRecord& record : item.records) {
        const std::optional<SyncRecord> here = local(record);
        // A single record deleted here needs no text of the server's; an occurrence does.
        if (here ? !sameFields(*here, record.base) : isSeries(item)) return true;
    }
    return false;
}

Status CollectionSync::push(const std::string& href, const std::string& serverText,
                            const std::string& etag, const SyncRecord& record,
                            const FieldKeys& changed, const std::string& uid, int& code,
                            std::string& newEtag) {
    const std::string text = codec_.write(serverText, record, changed, uid);
    code = 0;
    const std::string what = fillIn(_("%s \"%s\""), {kindName(record.kind()), recordLabel(record)});
    if (state_.readOnly) {
        // Kept here as the user left it, and said at each sync until the server allows it.
        report_.notes.push_back(fillIn(
            _("%s: the collection at %s may not be written; the change made here is not sent"),
            {what, state_.url}));
        return {};
    }
    if (text.empty()) {
        report_.notes.push_back(fillIn(_("%s: cannot be written into %s; not sent"), {what, href}));
        return {};
    }
    if (!DavClient::strongEtag(etag)) {
        // A refusal of this item alone: the rest of the collection goes on.
        skip(href, fillIn(_("the server gives it the weak or unquoted ETag %s, so the change "
                            "made here cannot be sent safely"),
                          {etag}));
        return {};
    }
    if (Status put = dav_.put(url(href), text, codec_.contentType(), etag, code, newEtag); !put) {
        // The connection may break after the server took the item: what it holds then says
        // whether the write went through, so that it counts, and its ETag is kept.
        if (dav_.lastStatus() != 0 || dav_.lastFailure() != HttpFailure::None ||
            !arrived(href, record, newEtag))
            return put;
        code = etag.empty() ? 201 : 204;
    }
    wrote_ = true;
    if (DavClient::refusesContent(code)) {
        report_.notes.push_back(fillIn(_("%s: the server refused it at %s (%s); not sent"),
                                       {what, href, std::to_string(code)}));
        code = 0;
    }
    return {};
}

bool CollectionSync::arrived(const std::string& href, const SyncRecord& record, std::string& etag) {
    Fetched there;
    bool gone = false;
    if (!fetchOne(href, there, gone) || gone) return false;
    const ParsedItem parsed = codec_.parse(there.body);
    if (!parsed.error.empty() || parsed.records.size() != 1 ||
        !sameFields(parsed.records[0].record, record))
        return false;
    etag = there.etag;
    return true;
}

void CollectionSync::serverDeleted(const std::string& href) {
    const auto it = state_.items.find(href);
    if (it == state_.items.end()) return;
    for (const SyncedRecord& record : it->second.records) {
        const std::optional<SyncRecord> here = local(record);
        if (!here) continue;
        if (sameFields(*here, record.base)) {
            removeRecord(document_, record.kind, record.id);
            ++report_.counts[record.kind].deletedHere;
        } else {
            // Left without a resource, the record goes up again as a new one.
            report_.notes.push_back(
                fillIn(_("%s \"%s\": deleted on the server but changed here; sent again"),
                       {kindName(record.kind), recordLabel(*here)}));
        }
    }
    state_.items.erase(it);
}

void CollectionSync::reconcileSeries(const std::string& href, SyncedItem& item,
                                     const ParsedItem& parsed, bool serverChanged,
                                     const std::string& etag) {
    std::vector<SyncedRecord> kept;
    std::vector<SyncedRecord> missing;
    for (const SyncedRecord& record : item.records) {
        const std::optional<SyncRecord> here = local(record);
        const std::string what = fillIn(
            _("%s \"%s\" (%s)"), {kindName(record.kind), recordLabel(here ? *here : record.base),
                                  syncFields(record.kind)[1].text(record.base)});
        if (here && !sameFields(*here, record.base)) {
            report_.notes.push_back(
                fillIn(_("%s: an occurrence of a recurring event on the server (%s); the change "
                         "made here is not sent, edit the series in a program that edits "
                         "recurring events"),
                       {what, href}));
            kept.push_back(record);
        } else if (!here) {
            report_.notes.push_back(
                fillIn(_("%s: an occurrence of a recurring event on the server (%s) is not "
                         "deleted alone; it is brought back"),
                       {what, href}));
            missing.push_back(record);
        } else if (serverChanged) {
            removeRecord(document_, record.kind, record.id);
        } else {
            kept.push_back(record);
        }
    }
    if (serverChanged) {
        std::vector<bool> consumed(kept.size(), false);
        std::vector<SyncedRecord> records = kept;
        for (const ParsedRecord& occurrence : parsed.records) {
            bool isKept = false;
            for (size_t i = 0; i < kept.size() && !isKept; ++i) {
                if (!consumed[i] && sameFields(kept[i].base, occurrence.record))
                    isKept = consumed[i] = true;
            }
            if (isKept) continue;
            const RecordKind kind = occurrence.record.kind();
            const int32_t id = storeRecord(document_, occurrence.record, 0);
            records.push_back({kind, id, occurrence.record});
            ++report_.counts[kind].down;
        }
        item.records = std::move(records);
        item.uid = parsed.uid;
    } else {
        for (SyncedRecord& record : missing) {
            record.id = storeRecord(document_, record.base, 0);
            kept.push_back(record);
        }
        item.records = std::move(kept);
    }
    item.etag = etag;
    item.recurring = parsed.recurring;
}

Status CollectionSync::reconcile(const std::string& href, Fetched fetched) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SyncedItem& item = state_.items[href];
        const ParsedItem parsed = codec_.parse(fetched.body);
        if (!parsed.error.empty()) {
            skip(href, parsed.error);
            return {};
        }
        // An item the server rewrote without changing what we hold of it (or one whose ETag
        // we never learnt) is unchanged: a record deleted here must not come back for it.
        const bool single = item.records.size() == 1 && parsed.records.size() == 1 &&
                            parsed.records[0].record.kind() == item.records[0].kind;
        const SyncRecord there =
            single ? withDateKept(parsed.records[0], item.records[0].base) : SyncRecord();
        const bool sameAsBase = single && sameFields(there, item.records[0].base);
        if (sameAsBase && !fetched.etag.empty()) item.etag = fetched.etag;
        const bool serverChanged = fetched.etag != item.etag;
        if (isSeries(item) || parsed.recurring || parsed.records.size() != 1 ||
            parsed.records[0].record.kind() != item.records[0].kind) {
            reconcileSeries(href, item, parsed, serverChanged, fetched.etag);
            return {};
        }
        SyncedRecord& record = item.records[0];
        std::optional<SyncRecord> here = local(record);
        std::optional<SyncRecord> base = record.base;
        if (!here && !serverChanged) return deleteThere(href);
        // A sync killed after the document was saved, before its state was, may have
        // brought it back already: the two are merged as a first sync merges them.
        if (const int32_t back = here ? 0 : unmappedLike(there); back != 0) {
            record.id = back;
            here = local(record);
            base.reset();
        }
        if (!here) {
            // Changed there after it was deleted here: the change is worth more than the delete.
            record.id = storeRecord(document_, there, 0);
            record.base = there;
            item.etag = fetched.etag;
            ++report_.counts[record.kind].down;
            report_.notes.push_back(fillIn(
                _("%s \"%s\": changed on the server after it was deleted here; brought back"),
                {kindName(record.kind), recordLabel(there)}));
            return {};
        }
        std::vector<const SyncField*> conflicts;
        const SyncRecord merged = merge(base, *here, there, conflicts);
        noteConflicts(record.id, *here, there, conflicts);
        if (!sameFields(merged, *here)) {
            storeRecord(document_, merged, record.id);
            ++report_.counts[record.kind].down;
        }
        FieldKeys changed;
        for (const SyncField& field : syncFields(record.kind)) {
            if (field.text(merged) != field.text(there)) changed.insert(field.key);
        }
        if (changed.empty()) {
            record.base = merged;
            item.etag = fetched.etag;
            return {};
        }
        int code = 0;
        std::string etag;
        const std::string uid = item.uid.empty() ? parsed.uid : item.uid;
        if (Status pushed =
                push(href, fetched.body, fetched.etag, merged, changed, uid, code, etag);
            !pushed)
            return pushed;
        if (code == 0) return {};
        if (code != 412) {
            record.base = merged;
            item.etag = etag;
            ++report_.counts[record.kind].up;
            return {};
        }
        // The server's item changed since it was fetched: fetch it again and merge anew.
        bool gone = false;
        if (Status got = fetchOne(href, fetched, gone); !got) return got;
        if (gone) {
            serverDeleted(href);
            return {};
        }
    }
    report_.notes.push_back(
        fillIn(_("%s: changed on the server while it was being synced; the next sync tries again"),
               {href}));
    return {};
}

Status CollectionSync::deleteThere(const std::string& href) {
    if (state_.readOnly) {
        // The server keeps it, so it comes back here rather than being lost to both.
        for (SyncedRecord& record : state_.items[href].records) {
            record.id = storeRecord(document_, record.base, 0);
            report_.notes.push_back(
                fillIn(_("%s \"%s\": the collection at %s may not be written, so it is not deleted "
                         "there; brought back"),
                       {kindName(record.kind), recordLabel(record.base), state_.url}));
        }
        return {};
    }
    if (state_.items[href].etag.empty()) {
        // Its ETag was never learnt: fetch it, and delete only what we last saw.
        Fetched fetched;
        bool gone = false;
        if (Status got = fetchOne(href, fetched, gone); !got) return got;
        if (gone) {
            state_.items.erase(href);
            return {};
        }
        if (fetched.etag.empty()) {
            report_.notes.push_back(fillIn(_("%s: the server gives it no ETag, so it is not "
                                             "deleted there; the next sync tries again"),
                                           {href}));
            return {};
        }
        return reconcile(href, std::move(fetched));
    }
    if (const std::string& etag = state_.items[href].etag; !DavClient::strongEtag(etag)) {
        skip(href, fillIn(_("the server gives it the weak or unquoted ETag %s, so it cannot be "
                            "deleted there safely"),
                          {etag}));
        return {};
    }
    int code = 0;
    if (Status removed = dav_.remove(url(href), state_.items[href].etag, code); !removed) {
        if (!DavClient::refusesItem(code)) return removed;
        skip(href, removed.reason());
        return {};
    }
    wrote_ = true;
    if (code == 412) {
        Fetched fetched;
        bool gone = false;
        if (Status got = fetchOne(href, fetched, gone); !got) return got;
        if (!gone) return reconcile(href, fetched);
    } else if (code != 404) {
        for (const SyncedRecord& record : state_.items[href].records)
            ++report_.counts[record.kind].deletedThere;
    }
    state_.items.erase(href);
    return {};
}

Status CollectionSync::run() {
    for (const RecordKind kind : codec_.kinds())
        report_.counts[kind];
    std::map<std::string, std::string> changed;
    std::set<std::string> gone;
    std::string token;
    if (!assumeEmpty_) {
        if (Status listed = list(changed, gone, token); !listed) return listed;
    }
    for (const std::string& href : gone)
        serverDeleted(href);

    std::vector<std::string> wanted;
    std::vector<std::string> deletions;
    for (const auto& [href, etag] : changed)
        wanted.push_back(href);
    for (const auto& [href, item] : state_.items) {
        if (changed.contains(href)) continue;
        if (editedHere(item))
            wanted.push_back(href);
        else if (!isSeries(item) && !local(item.records[0]))
            deletions.push_back(href);
    }
    std::map<std::string, Fetched> fetched = std::move(prefetched_);
    std::erase_if(wanted, [&](const std::string& href) { return fetched.contains(href); });
    if (Status got = fetch(wanted, fetched); !got) return got;
    for (const std::string& href : deletions) {
        if (Status deleted = deleteThere(href); !deleted) return deleted;
    }
    for (auto& [href, item] : fetched) {
        if (state_.items.contains(href)) {
            if (Status done = reconcile(href, std::move(item)); !done) return done;
        } else {
            newThere_.emplace_back(href, std::move(item));
        }
    }
    // Records no state names, for the server's new items to be matched with.
    for (const auto& [href, item] : state_.items) {
        for (const SyncedRecord& record : item.records)
            mapped_.insert({record.kind, record.id});
    }
    for (const RecordKind kind : codec_.kinds()) {
        for (auto& [id, record] : recordsOf(document_, kind)) {
            if (std::string uid = recordUid(document_, kind, id); !uid.empty())
                byUid_[{kind, std::move(uid)}] = id;
            if (mapped_.contains({kind, id})) continue;
            unmatched_[{kind, fieldTexts(record)}].push_back(id);
            unmatchedRecords_.emplace(Key{kind, id}, record);
        }
    }
    // In the order the texts give, which is the order they were looked through in before.
    for (const auto& [texts, ids] : unmatched_)
        for (const int32_t id : ids)
            unmatchedByName_[{texts.first, nameOf(unmatchedRecords_.at({texts.first, id}))}]
                .push_back(id);
    for (const auto& [href, item] : newThere_) {
        const ParsedItem parsed = codec_.parse(item.body);
        if (!parsed.error.empty()) {
            skip(href, parsed.error);
            continue;
        }
        adoptNew(href, item, parsed);
        // What only we hold of a matched record goes up now.
        const SyncedItem& adopted = state_.items[href];
        if (!isSeries(adopted) && editedHere(adopted)) {
            if (Status done = reconcile(href, item); !done) return done;
        }
    }
    if (Status uploaded = uploadNew(); !uploaded) return uploaded;
    state_.token = token;
    if (wrote_ && !token.empty()) confirmToken();
    return {};
}
