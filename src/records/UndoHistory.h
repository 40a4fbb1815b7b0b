#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/DocumentEdit.h"
#include "records/UndoStepNames.h"

class PimDocument;

// The undo and redo stacks of one document. It is the document's journal: every edit the
// document applies hands in its reversal, so a step holds reversals (an import of many
// records undoes through a list of their identifiers) and never a copy of the document.
// Edits made while a Step is open are undone together under the Step's name.
class UndoHistory : public EditJournal {
public:
    // Keeps the edits made while it lives in one step, named for the Edit menu from the
    // table of steps. Without a history (nullptr) it does nothing.
    class Step {
    public:
        Step(UndoHistory& history, UndoStep name) : Step(&history, name) {}
        Step(UndoHistory* history, UndoStep name);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        UndoHistory* history_;
    };

    // Steps kept; the oldest go first.
    static constexpr size_t kStepLimit = 1000;

    // Becomes the document's journal until destroyed.
    explicit UndoHistory(PimDocument& document);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    [[nodiscard]] bool canUndo() const { return !undo_.empty(); }
    // Whether a command's step is gathering edits: an edit made now would join it.
    [[nodiscard]] bool stepOpen() const { return openSteps_ > 0; }
    [[nodiscard]] bool canRedo() const { return !redo_.empty(); }
    // The name of the step Undo or Redo would take back or do again; "" for none.
    [[nodiscard]] std::string undoName() const;
    [[nodiscard]] std::string redoName() const;

    // Takes back the newest step, or does again the last step taken back; nothing when
    // there is none. The document's modified flag ends up clear exactly when its records
    // are as they were last saved.
    void undo();
    void redo();
    // Forgets every step.
    void clear();

    // Where a step stands: still to be undone, undone and waiting for redo, or forgotten
    // (dropped as the oldest, or no longer redoable after a new step).
    enum class Place { Done, Undone, Gone };
    // The number of the newest step that Undo would take back; 0 for none. Numbers are
    // never reused, so a tool can follow its own step through undo and redo.
    [[nodiscard]] uint64_t newestStep() const { return undo_.empty() ? 0 : undo_.back().serial; }
    [[nodiscard]] Place placeOf(uint64_t step) const;

    bool recorded(DocumentEdit reversal) override;
    void saved() override;
    void contentsReplaced() override;

private:
    struct Entry {
        std::string name;
        std::vector<DocumentEdit> reversals;  // in the order the edits were made
        uint64_t serial = 0;
    };
    enum class Mode { Recording, Undoing, Redoing };

    // Applies an entry's reversals, newest first, as one change and moves the entry they
    // make to `to`.
    void replay(std::vector<Entry>& from, std::vector<Entry>& to, Mode mode);
    void openStep(std::string name);
    void closeStep();
    void dropOldest();

    PimDocument& document_;
    std::vector<Entry> undo_;
    std::vector<Entry> redo_;
    Mode mode_ = Mode::Recording;
    Entry replayed_;  // the entry an undo or redo is building
    int openSteps_ = 0;
    uint64_t nextSerial_ = 1;
    bool stepStarted_ = false;  // the open step has an entry on the undo stack
    std::string stepName_;
    // undo_.size() when the records were as saved; empty when no undo or redo leads there.
    std::optional<size_t> savedDepth_ = 0;
};

// The name an edit gets in the Edit menu when no step names it ("Delete Task").
[[nodiscard]] std::string editName(const DocumentEdit& reversal);
