#include "records/UndoHistory.h"
#include "platform/Translate.h"

#include <algorithm>
#include <iterator>
#include <type_traits>
#include <utility>

#include "records/PimDocument.h"

namespace {

// Whole names, not a verb and a noun put together: other languages inflect them.
template <class Record>
const char* const* recordNames() {
    static constexpr const char* kPerson[] = {N_("Add Person"), N_("Delete Person"),
                                              N_("Edit Person")};
    static constexpr const char* kTask[] = {N_("Add Task"), N_("Delete Task"), N_("Edit Task")};
    static constexpr const char* kAppointment[] = {N_("Add Appointment"), N_("Delete Appointment"),
                                                   N_("Edit Appointment")};
    static constexpr const char* kGroup[] = {N_("Add Group"), N_("Delete Group"), N_("Edit Group")};
    if constexpr (std::is_same_v<Record, Person>) return kPerson;
    if constexpr (std::is_same_v<Record, Task>) return kTask;
    if constexpr (std::is_same_v<Record, Appointment>) return kAppointment;
    if constexpr (std::is_same_v<Record, PhGroup>) return kGroup;
}

// A reversal names the opposite of what the edit did: erasing undoes an addition.
template <class Record>
std::string nameOf(const RecordEdit<Record>& reversal) {
    const int verb = std::holds_alternative<EraseRecords<Record>>(reversal)    ? 0
                     : std::holds_alternative<InsertRecords<Record>>(reversal) ? 1
                                                                               : 2;
    return _(recordNames<Record>()[verb]);
}

std::string nameOf(const ReplaceUser&) {
    return _("Edit User");
}

std::string nameOf(const EditSequence& sequence);

}  // namespace

std::string editName(const DocumentEdit& reversal) {
    return std::visit([](const auto& edit) { return nameOf(edit); }, reversal);
}

namespace {

// A sequence is named for its main edit, which its reversal undoes first.
std::string nameOf(const EditSequence& sequence) {
    return sequence.edits.empty() ? std::string(_("Change")) : editName(sequence.edits.front());
}

}  // namespace

UndoHistory::Step::Step(UndoHistory* history, UndoStep name) : history_(history) {
    if (history_ != nullptr) history_->openStep(undoStepName(name));
}

UndoHistory::Step::~Step() {
    if (history_ != nullptr) history_->closeStep();
}

UndoHistory::UndoHistory(PimDocument& document) : document_(document) {
    document_.setJournal(this);
}

UndoHistory::~UndoHistory() {
    document_.setJournal(nullptr);
}

std::string UndoHistory::undoName() const {
    return undo_.empty() ? std::string() : undo_.back().name;
}

std::string UndoHistory::redoName() const {
    return redo_.empty() ? std::string() : redo_.back().name;
}

void UndoHistory::undo() {
    replay(undo_, redo_, Mode::Undoing);
}

void UndoHistory::redo() {
    replay(redo_, undo_, Mode::Redoing);
}

void UndoHistory::replay(std::vector<Entry>& from, std::vector<Entry>& to, Mode mode) {
    if (from.empty() || mode_ != Mode::Recording) return;
    Entry entry = std::move(from.back());
    from.pop_back();
    // The whole step is one change, newest edit first, so the views are told once; its
    // reversal, handed back through recorded(), is the step going the other way.
    DocumentEdit change;
    if (entry.reversals.size() == 1) {
        change = std::move(entry.reversals.front());
    } else {
        EditSequence sequence;
        sequence.edits.assign(std::make_move_iterator(entry.reversals.rbegin()),
                              std::make_move_iterator(entry.reversals.rend()));
        change = std::move(sequence);
    }
    mode_ = mode;
    replayed_ = Entry{std::move(entry.name), {}, entry.serial};
    document_.apply(std::move(change));
    to.push_back(std::move(replayed_));
    replayed_ = Entry{};
    mode_ = Mode::Recording;
}

UndoHistory::Place UndoHistory::placeOf(uint64_t step) const {
    const auto has = [step](const std::vector<Entry>& entries) {
        return std::any_of(entries.begin(), entries.end(),
                           [step](const Entry& entry) { return entry.serial == step; });
    };
    // A step being undone or redone is on neither stack while its views are told.
    if (mode_ != Mode::Recording && replayed_.serial == step)
        return mode_ == Mode::Undoing ? Place::Undone : Place::Done;
    return has(undo_) ? Place::Done : has(redo_) ? Place::Undone : Place::Gone;
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
    savedDepth_ = document_.isModified() ? std::nullopt : std::optional<size_t>(0);
}

bool UndoHistory::recorded(DocumentEdit reversal) {
    if (mode_ != Mode::Recording) {
        replayed_.reversals.push_back(std::move(reversal));
        // The entry is in flight: an undo has already left the undo stack as it will be; a
        // redo is about to add one step to it.
        const size_t depth = undo_.size() + (mode_ == Mode::Redoing ? 1 : 0);
        return savedDepth_ == depth;
    }
    if (openSteps_ > 0 && stepStarted_) {
        undo_.back().reversals.push_back(std::move(reversal));
        return false;
    }
    // A new step: what could be redone no longer can, nor can the saved state be reached
    // again if it lay among the steps taken back.
    if (savedDepth_ && *savedDepth_ > undo_.size()) savedDepth_.reset();
    redo_.clear();
    std::string name = openSteps_ > 0 ? stepName_ : editName(reversal);
    undo_.push_back(Entry{std::move(name), {}, nextSerial_++});
    undo_.back().reversals.push_back(std::move(reversal));
    stepStarted_ = openSteps_ > 0;
    if (undo_.size() > kStepLimit) dropOldest();
    return false;
}

void UndoHistory::saved() {
    savedDepth_ = undo_.size();
}

void UndoHistory::contentsReplaced() {
    undo_.clear();
    redo_.clear();
    savedDepth_ = 0;
}

void UndoHistory::openStep(std::string name) {
    if (openSteps_++ == 0) {
        stepName_ = std::move(name);
        stepStarted_ = false;
    }
}

void UndoHistory::closeStep() {
    if (openSteps_ > 0 && --openSteps_ == 0) stepStarted_ = false;
}

void UndoHistory::dropOldest() {
    undo_.erase(undo_.begin());
    if (savedDepth_) {
        if (*savedDepth_ == 0)
            savedDepth_.reset();
        else
            --*savedDepth_;
    }
}
