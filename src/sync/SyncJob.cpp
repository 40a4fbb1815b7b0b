#include "sync/SyncJob.h"

#include "records/PimDocument.h"

void SyncJob::run(HttpTransport& transport, const Clock& clock) {
    PimDocument copy(clock);
    copy.adoptContents(PimContents(before));
    status = synchronize(transport, clock, copy, state, request, uidStem, report);
    after = copy.contents();
}
