#pragma once

#include <string>

#include "platform/Status.h"
#include "records/PimContents.h"
#include "sync/SyncReport.h"
#include "sync/SyncState.h"
#include "sync/Synchronize.h"

class Clock;
class HttpTransport;

// A sync over copies of the records and of the state, so that it can run on another thread
// while the open document stays free to edit; the workspace brings the outcome in.
struct SyncJob {
    SyncRequest request;
    std::string uidStem;
    PimContents before;  // the records as the sync started
    SyncState state;     // as the sync starts; as it ended once run
    PimContents after;   // the records as the sync left them
    SyncReport report;
    Status status;

    // Runs the sync, touching nothing but the job, the transport and the clock. A failure
    // keeps what was done before it in `after` and `state`, consistent with the server.
    void run(HttpTransport& transport, const Clock& clock);
};
