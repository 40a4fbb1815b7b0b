#pragma once

#include <functional>
#include <utility>

#include "records/PimDocument.h"
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
};
