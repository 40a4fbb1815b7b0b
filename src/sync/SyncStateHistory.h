#pragma once

#include <cstdint>
#include <vector>

#include "records/UndoHistory.h"
#include "sync/SyncState.h"

// The sync state that describes the records as the undo history has them. Undoing a sync
// takes its records back here but not on the server; the state goes back with them, so that
// the next sync brings them down again instead of deleting them there, and so that a record
// added later under an ID the undo freed is never taken for one of the server's.
class SyncStateHistory {
public:
    // Starts over from the state read for a document.
    void reset(SyncState state);
    // A sync went from `before` (what current() gave as it started) to `after`; `step` is
    // the history's step that holds its changes of the records, 0 when it changed none.
    void synced(const UndoHistory& history, uint64_t step, SyncState before, SyncState after);
    // The state for the records as `history` has them now.
    [[nodiscard]] const SyncState& current(const UndoHistory& history);

private:
    struct Step {
        uint64_t step;
        SyncState before;
        bool undone = false;  // as last seen, for a step the history has forgotten
    };
    std::vector<Step> steps_;
    SyncState latest_;
};
