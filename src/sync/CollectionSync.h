#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sync/DavClient.h"
#include "sync/ItemCodec.h"
#include "sync/SyncReport.h"
#include "sync/SyncState.h"

class PimDocument;

// Brings one collection and the document's records of its kinds in step, both ways:
//   the server's changes are found with a sync-collection report where the server offers
//   it, else by comparing ETags; ours by comparing each record with what the last sync saw;
//   every write of an existing resource carries If-Match, and a 412 means fetch, merge and
//   try again;
//   an edit made here is written into the server's own item, keeping what we do not hold;
//   when both sides changed the same field, the server's value stays (ours, when preferred)
//   and the report names both; no second record is made;
//   server items that no state names are matched with our records by UID, then by content,
//   so that a first sync or a lost state duplicates nothing;
//   a record keeps the UID of the item it came down as, and one sent up keeps the UID it
//   was sent under.
// Records change only through the document's operations. The state follows each step, so
// that a sync cut short leaves state and document consistent for the next one to finish.
class CollectionSync {
public:
    CollectionSync(DavClient& dav, const ItemCodec& codec, PimDocument& document,
                   CollectionState& state, SyncReport& report, std::string uidStem);

    // Takes the collection for empty without asking: one a dry run would have made.
    void assumeEmpty() { assumeEmpty_ = true; }
    // Keeps our value, and sends it, where both sides changed a field.
    void preferHere() { preferHere_ = true; }

    // Runs the sync; a failure says what and where, with the work done so far kept.
    Status run();

private:
    using Key = std::pair<RecordKind, int32_t>;
    struct Fetched {
        std::string etag;
        std::string body;
    };

    Status list(std::map<std::string, std::string>& changed, std::set<std::string>& gone,
                std::string& token);
    Status listAll(std::map<std::string, std::string>& changed, std::set<std::string>& gone,
                   std::string& token);
    // The changes since the token `from`, page after page while the server cuts them short;
    // a token it no longer knows means a full listing when `mayRestart`.
    Status listSince(std::string from, bool mayRestart, std::map<std::string, std::string>& changed,
                     std::set<std::string>& gone, std::string& token);
    // Moves the state's token past our own writes when they are all it adds.
    void confirmToken();
    // Whether the server cut the answer short (507 on the collection itself).
    [[nodiscard]] bool truncated(const MultiStatus& answer) const;
    // Whether the item lies on the collection's server; skipped, saying so, when not.
    bool onThisServer(const std::string& href);
    // Marks a listed item changed when its ETag differs from the state's, keeping the text a
    // listing sent along; skipped, saying so, when it has no ETag.
    void noteListed(DavResponse& response, std::map<std::string, std::string>& changed);
    Status fetch(const std::vector<std::string>& hrefs, std::map<std::string, Fetched>& out);
    Status fetchOne(const std::string& href, Fetched& out, bool& gone);

    [[nodiscard]] std::optional<SyncRecord> local(const SyncedRecord& record) const;
    [[nodiscard]] bool editedHere(const SyncedItem& item) const;
    [[nodiscard]] bool isSeries(const SyncedItem& item) const;

    void serverDeleted(const std::string& href);
    Status reconcile(const std::string& href, Fetched fetched);
    void reconcileSeries(const std::string& href, SyncedItem& item, const ParsedItem& parsed,
                         bool serverChanged, const std::string& etag);
    // A record of the kind that no item of the state names and that holds what `there` holds,
    // or else is the same by its key (sameByKey); 0 for none.
    [[nodiscard]] int32_t unmappedLike(const SyncRecord& there) const;
    // What records the same by their key (sameByKey) have in common: the name.
    [[nodiscard]] static std::string nameOf(const SyncRecord& record);
    Status deleteThere(const std::string& href);
    void adoptNew(const std::string& href, const Fetched& fetched, const ParsedItem& parsed);
    Status uploadNew();

    // Sends the record written into `serverText`; `code` 412 when the server's item changed
    // meanwhile.
    Status push(const std::string& href, const std::string& serverText, const std::string& etag,
                const SyncRecord& record, const FieldKeys& changed, const std::string& uid,
                int& code, std::string& newEtag);
    // Whether the server holds `record` at `href`, as after a write whose answer was lost;
    // `etag` gets its ETag then.
    bool arrived(const std::string& href, const SyncRecord& record, std::string& etag);
    // The merge of both sides, field by field; differing fields are conflicts (the server's
    // kept) where both changed, or, when there is no base, wherever both hold different values.
    SyncRecord merge(const std::optional<SyncRecord>& base, const SyncRecord& here,
                     const SyncRecord& there, std::vector<const SyncField*>& conflicts) const;
    // The server's record, with our due date for a to-do that has none of its own.
    [[nodiscard]] static SyncRecord withDateKept(const ParsedRecord& there, const SyncRecord& ours);
    void noteConflicts(int32_t id, const SyncRecord& here, const SyncRecord& there,
                       const std::vector<const SyncField*>& conflicts);

    [[nodiscard]] std::string url(const std::string& href) const;
    [[nodiscard]] std::string uidFor(RecordKind kind, int32_t id) const;
    void skip(const std::string& href, const std::string& reason);

    DavClient& dav_;
    const ItemCodec& codec_;
    PimDocument& document_;
    CollectionState& state_;
    SyncReport& report_;
    std::string uidStem_;
    bool assumeEmpty_ = false;
    bool preferHere_ = false;
    bool wrote_ = false;                                     // whether this run changed the server
    std::vector<std::pair<std::string, Fetched>> newThere_;  // items no state names
    // Records no state names, by the texts of their fields, to match the server's new items
    // with.
    std::map<std::pair<RecordKind, std::vector<std::string>>, std::vector<int32_t>> unmatched_;
    std::map<Key, SyncRecord> unmatchedRecords_;  // those records, by kind and ID
    // Their IDs by kind and name (nameOf), which records the same by their key share.
    std::map<std::pair<RecordKind, std::string>, std::vector<int32_t>> unmatchedByName_;
    std::map<std::pair<RecordKind, std::string>, int32_t> byUid_;  // records by the UID they keep
    // Records the state names, once the known items are done.
    std::set<Key> mapped_;
    std::map<std::string, Fetched> prefetched_;  // texts the listing sent
};
