#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "records/PimDocument.h"
#include "records/RecordKind.h"
#include "records/UndoHistory.h"

// The one way in for whatever changes a document's records: each change runs as one step
// of the undo history (when there is one), named for the Edit menu, and whoever keeps the
// door hears when it is done. Reading needs no door.
class DocumentDoor {
public:
    // Without a history (nullptr) the changes cannot be undone, as on the command line.
    DocumentDoor(PimDocument& document, UndoHistory* history)
        : document_(document), history_(history) {}
    DocumentDoor(const DocumentDoor&) = delete;
    DocumentDoor& operator=(const DocumentDoor&) = delete;

    // The records, to read.
    [[nodiscard]] const PimDocument& document() const { return document_; }
    // Whether a step is gathering edits: a change made now would join it.
    [[nodiscard]] bool stepOpen() const { return history_ != nullptr && history_->stepOpen(); }

    // Runs `change` on the document as one step named `name` and gives back what it gives.
    template <class Change>
    decltype(auto) runStep(UndoStep name, Change&& change) {
        const Done done{*this};
        const UndoHistory::Step step(history_, name);
        return change(document_);
    }
    // `done` hears after each step, once its edits are recorded; nullptr forgets it.
    void onStepDone(std::function<void()> done) { done_ = std::move(done); }

    // Why the user may not change or delete that record here, or "" when they may. A tool
    // that knows sets the rule (sync, for a collection the account may not write); the
    // editors ask before they change a record. It is advice, not a lock: changes to many
    // records at once (a group renamed, done tasks compacted) and turning off a reminder go
    // through, and the next sync says what it could not send.
    [[nodiscard]] std::string refusal(RecordKind kind, int32_t id) const {
        return guard_ ? guard_(kind, id) : std::string();
    }
    // Sets that rule; nullptr lets every change through again.
    void guardRecords(std::function<std::string(RecordKind, int32_t)> guard) {
        guard_ = std::move(guard);
    }

    // A view hears of every change until it is detached; watching changes no record.
    void attachView(DocumentView& view) { document_.attachView(view); }
    void detachView(DocumentView& view) { document_.detachView(view); }
    // Shows another day: the date views start from, not a record.
    void setCurrentDate(DateTime date) { document_.setCurrentDate(date); }

private:
    struct Done {
        DocumentDoor& door;
        ~Done() {
            if (door.done_) door.done_();
        }
    };

    PimDocument& document_;
    UndoHistory* history_;
    std::function<void()> done_;
    std::function<std::string(RecordKind, int32_t)> guard_;
};
