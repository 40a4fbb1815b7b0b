#pragma once

#include <string>

#include "platform/HttpTransport.h"
#include "platform/Status.h"
#include "sync/SyncReport.h"
#include "sync/SyncState.h"

class Clock;
class PimDocument;

// What to sync with.
struct SyncRequest {
    std::string url;          // the server, a principal or a collection
    std::string addressBook;  // a name or URL; "" for the first
    std::string calendar;     // a name or URL; "" for the first
    bool dryRun = false;      // nothing sent that changes the server
    bool preferHere = false;  // where both sides changed a field, ours is kept and sent
};

// Syncs the document's persons with the account's address book and its appointments and
// tasks with its calendar, making either, named "Quillmate", when the account has none.
// The document changes through its own operations (the caller gathers them into one undo
// step); `state` follows what was done, also when a failure stops the sync halfway, so
// that saving both leaves them consistent. `uidStem` starts the UIDs of new items: the
// same document must give the same stem.
Status synchronize(HttpTransport& transport, const Clock& clock, PimDocument& document,
                   SyncState& state, const SyncRequest& request, const std::string& uidStem,
                   SyncReport& report);

// The stem of the UIDs of the document at `documentPath`.
[[nodiscard]] std::string uidStemFor(const std::string& documentPath);
