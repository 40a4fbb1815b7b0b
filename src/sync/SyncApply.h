#pragma once

#include "records/PimContents.h"
#include "sync/SyncState.h"

class PimDocument;

// Brings what a sync did to a copy of the records (`before` as it started, `after` as it
// ended) into the open document, through the document's own operations, and `state` (the
// sync's state over `after`; `started` as it started) in line with it:
//   a record the user changed or deleted meanwhile stays as the user left it; where the
//   sync changed it too, its state is `started`'s, so the next sync merges both sides;
//   a record the sync added keeps its ID unless the user added one under it meanwhile, in
//   which case it gets a new one and the state follows.
// Returns how many records the user's edits kept from the sync's version.
int applySyncedCopy(PimDocument& live, const PimContents& before, const PimContents& after,
                    const SyncState& started, SyncState& state);
