#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Status.h"
#include "sync/SyncRecord.h"

// A record of the document as it was when it last matched its server item.
class FileLock;

struct SyncedRecord {
    RecordKind kind = RecordKind::Person;
    int32_t id = 0;
    SyncRecord base;  // what sync held of it then: a field that differs now was changed here
};

// A resource of a collection and the records it stands for (several for the occurrences of
// a recurring event).
struct SyncedItem {
    std::string etag;
    std::string uid;
    bool recurring = false;
    std::vector<SyncedRecord> records;
};

// What the last sync saw of one collection.
struct CollectionState {
    std::string url;
    std::string token;                        // the sync token; "" for none
    std::map<std::string, SyncedItem> items;  // by href
    bool readOnly = false;                    // the user may not write its items
};

// What the last sync of a document saw, kept outside the document so that its file stays as
// it is. Losing it costs a full compare at the next sync, never a duplicate.
struct SyncState {
    std::map<std::string, CollectionState> collections;  // "addressbook", "calendar"
    // What the collections were found for (address and names asked), so that the next
    // sync asking the same goes to them without discovery.
    std::string foundFor;
    // The address of the account the collections were last synced with.
    std::string account;
};

// Where the state of the document at `documentPath` lives: a file named after the document
// in the user's state folder.
[[nodiscard]] std::string syncStatePath(const std::string& documentPath);
// Takes the lock, beside the document's sync state, that one sync of the document holds
// while it runs; Busy, saying so, while another holds it.
Status lockSyncOf(const std::string& documentPath, FileLock& lock);

// Reads the state; none at all is an empty state. A file that cannot be read as a state is
// an empty state too, with a warning in `warning`, since a full compare loses nothing. A
// state of the first form, whose records list their fields by position, is read as well.
Status loadSyncState(const std::string& path, SyncState& state, std::string& warning);
// Writes the state in one atomic step, making its folder when needed.
Status saveSyncState(const std::string& path, const SyncState& state);
