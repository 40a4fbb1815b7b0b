#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "records/RecordKind.h"

class PimDocument;

// What a sync did to the records of one kind.
struct KindCounts {
    int up = 0;            // added or changed on the server
    int down = 0;          // added or changed here
    int deletedHere = 0;   // deleted here because the server's were
    int deletedThere = 0;  // deleted on the server because ours were
    int alreadyHere = 0;   // server items no state named, found here rather than added
};

// A field both sides changed to different values since the last sync. The record holds
// the server's value unless ours was preferred; keepOurs() puts ours back, which the next
// sync then sends.
struct SyncConflict {
    RecordKind kind = RecordKind::Person;
    int32_t id = 0;         // the record's ID in the document the sync ran on
    std::string field;      // its key among the kind's sync fields (syncFields)
    std::string label;      // the record's name for the user
    std::string ours;       // the value here
    std::string theirs;     // the server's value
    bool keptOurs = false;  // ours was preferred and sent

    // "person "Phone, Paula": work phone here "555-0199", on the server "555-0100"; the
    // server's kept".
    [[nodiscard]] std::string line() const;
};

// Puts our value of a conflict back into the record through the document's operations;
// false when the record is gone.
bool keepOurs(PimDocument& document, const SyncConflict& conflict);

// Why a sync stopped, for a front end to act on rather than read its message.
enum class SyncFailure {
    None,          // it did not stop
    Unauthorised,  // the server refused the user name or password (401), before any change
    Unreachable,   // no answer came
    Cancelled,     // the user cancelled it; what was done before is kept
    Certificate,   // the server's certificate does not verify
    Other,         // anything else: the status says what
};

// What a sync did, for the user.
struct SyncReport {
    std::map<RecordKind, KindCounts> counts;
    std::vector<SyncConflict> conflicts;  // fields changed on both sides
    std::vector<std::string> skipped;     // server items that cannot be read: "HREF: reason"
    std::vector<std::string> notes;       // what was done otherwise than asked, one line each
    std::vector<std::string> created;     // collections made on the server
    int requests = 0;
    SyncFailure failure = SyncFailure::None;

    // Whether any record went either way.
    [[nodiscard]] bool movedAny() const;
    // "persons: 3 up, 12 down, 1 deleted here" for each kind of the collections synced.
    [[nodiscard]] std::vector<std::string> countLines() const;
};
