#pragma once

#include <map>
#include <string>
#include <vector>

#include "sync/SyncRecords.h"

// What a sync did to the records of one kind.
struct KindCounts {
    int up = 0;            // added or changed on the server
    int down = 0;          // added or changed here
    int deletedHere = 0;   // deleted here because the server's were
    int deletedThere = 0;  // deleted on the server because ours were
};

// What a sync did, for the user.
struct SyncReport {
    std::map<RecordKind, KindCounts> counts;
    std::vector<std::string> conflicts;  // records changed on both sides, one line each
    std::vector<std::string> skipped;    // server items that cannot be read: "HREF: reason"
    std::vector<std::string> notes;      // what was done otherwise than asked, one line each
    std::vector<std::string> created;    // collections made on the server
    int requests = 0;

    // "persons: 3 up, 12 down, 1 deleted here" for each kind of the collections synced.
    [[nodiscard]] std::vector<std::string> countLines() const;
};
