#include "sync/SyncStateHistory.h"

#include <utility>

void SyncStateHistory::reset(SyncState state) {
    steps_.clear();
    latest_ = std::move(state);
}

void SyncStateHistory::synced(const UndoHistory& history, uint64_t step, SyncState before,
                              SyncState after) {
    (void)current(history);
    // The sync started from the state before any step then undone: those steps are past.
    for (size_t i = 0; i < steps_.size(); ++i) {
        if (steps_[i].undone) {
            steps_.resize(i);
            break;
        }
    }
    if (step != 0) steps_.push_back({step, std::move(before), false});
    latest_ = std::move(after);
}

const SyncState& SyncStateHistory::current(const UndoHistory& history) {
    for (size_t i = 0; i < steps_.size(); ++i) {
        const UndoHistory::Place place = history.placeOf(steps_[i].step);
        if (place != UndoHistory::Place::Gone)
            steps_[i].undone = place == UndoHistory::Place::Undone;
        if (!steps_[i].undone) continue;
        if (place == UndoHistory::Place::Gone) {
            // Undone for good: it and every later sync are past.
            latest_ = std::move(steps_[i].before);
            steps_.resize(i);
            return latest_;
        }
        return steps_[i].before;
    }
    // Steps that can no longer be undone need no state of before.
    while (!steps_.empty() && history.placeOf(steps_.front().step) == UndoHistory::Place::Gone)
        steps_.erase(steps_.begin());
    return latest_;
}
