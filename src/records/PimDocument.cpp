#include "records/PimDocument.h"
#include "platform/Translate.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

// The record kind an edit of one collection works on.
template <class Edit>
struct EditedRecord;
template <class Record>
struct EditedRecord<RecordEdit<Record>> {
    using type = Record;
};

// Applies one kind of edit to a collection and returns the edit that reverses it.
template <class Record>
class RecordEditor {
public:
    explicit RecordEditor(RecordStore<Record>& store) : store_(store) {}

    RecordEdit<Record> operator()(InsertRecords<Record>& edit) {
        EraseRecords<Record> reversal{{}, store_.lastId()};
        reversal.ids.reserve(edit.records.size());
        if (store_.empty()) {
            // Nothing to search or make room in: the collection takes the whole tree.
            // New records have consecutive identifiers, which need no walk to be listed.
            const auto& records = edit.records;
            const int64_t first = records.empty() ? 0 : records.begin()->first;
            if (!records.empty() &&
                records.rbegin()->first - first + 1 == static_cast<int64_t>(records.size())) {
                // Counted in 64 bits: the last may be the largest identifier there is.
                for (size_t i = 0; i < records.size(); ++i)
                    reversal.ids.push_back(static_cast<int32_t>(first + static_cast<int64_t>(i)));
            } else {
                for (const auto& entry : records)
                    reversal.ids.push_back(entry.first);
            }
            store_.adoptAll(edit.records);
            store_.setLastId(edit.lastId);
            return reversal;
        }
        try {
            for (auto it = edit.records.begin(); it != edit.records.end();) {
                auto node = edit.records.extract(it++);
                const int32_t id = node.key();
                bool taken = false;
                try {
                    taken = store_.adopt(node);
                } catch (...) {
                    edit.records.insert(std::move(node));
                    throw;
                }
                if (taken) reversal.ids.push_back(id);
            }
        } catch (...) {
            // Out of memory for a bucket: the records go back to the edit, which happens
            // whole or not at all. Taking out what went in needs no memory.
            for (const int32_t id : reversal.ids)
                edit.records.insert(store_.extract(id));
            throw;
        }
        store_.setLastId(edit.lastId);
        return reversal;
    }

    RecordEdit<Record> operator()(EraseRecords<Record>& edit) {
        InsertRecords<Record> reversal{{}, store_.lastId()};
        // Taken out in ascending ID, so that the nodes go back without searching.
        std::sort(edit.ids.begin(), edit.ids.end());
        try {
            for (const int32_t id : edit.ids) {
                if (auto node = store_.extract(id))
                    reversal.records.insert(reversal.records.end(), std::move(node));
            }
        } catch (...) {
            // Out of memory for a bucket of this store's own: what was taken out goes back
            // into the buckets it left, which needs none.
            while (!reversal.records.empty()) {
                auto node = reversal.records.extract(reversal.records.begin());
                store_.adopt(node);
            }
            throw;
        }
        store_.setLastId(edit.lastId);
        return reversal;
    }

    RecordEdit<Record> operator()(ReplaceRecords<Record>& edit) {
        ReplaceRecords<Record> reversal;
        reversal.records.reserve(edit.records.size());
        try {
            for (Record& record : edit.records) {
                if (store_.swap(record)) reversal.records.push_back(std::move(record));
            }
        } catch (...) {
            // Out of memory for a record a copy still shares: put back what was replaced,
            // into records of this store's own, which needs none.
            for (auto it = reversal.records.rbegin(); it != reversal.records.rend(); ++it)
                store_.swap(*it);
            throw;
        }
        // Put back last what was replaced first, so that a record replaced twice in one
        // edit gets its original back.
        std::reverse(reversal.records.begin(), reversal.records.end());
        return reversal;
    }

private:
    RecordStore<Record>& store_;
};

}  // namespace

PimDocument::PimDocument(const Clock& clock)
    : clock_(clock), currentDate_(DateTime::today(clock)) {}

PimDocument::~PimDocument() {
    const auto views = views_;
    for (DocumentView* view : views)
        view->documentClosing();
}

void PimDocument::attachView(DocumentView& view) {
    if (std::find(views_.begin(), views_.end(), &view) == views_.end()) views_.push_back(&view);
}

void PimDocument::detachView(DocumentView& view) {
    std::erase(views_, &view);
}

void PimDocument::notifyViews() {
    ++revision_;
    // A view may detach itself while being told.
    const auto views = views_;
    for (DocumentView* view : views)
        view->documentChanged();
}

void PimDocument::setModified(bool modified, bool notify) {
    modified_ = modified;
    if (!modified && journal_ != nullptr) journal_->saved();
    if (notify) notifyViews();
}

void PimDocument::setPath(std::string path) {
    path_ = std::move(path);
    const auto views = views_;
    for (DocumentView* view : views)
        view->documentPathChanged(path_);
}

void PimDocument::resetContents() {
    adoptContents(PimContents{});
}

void PimDocument::adoptContents(PimContents&& contents) {
    contents_ = std::move(contents);
    contentsReplaced();
}

void PimDocument::makeNew() {
    resetContents();
    setPath("");
}

void PimDocument::seedDefaultGroups() {
    contents_.seedDefaultGroups();
    notifyViews();
}

void PimDocument::leaveRecordsToExit() noexcept {
    // Held from a global, so that LeakSanitizer sees them still reachable at exit.
    static auto* const left = new (std::nothrow) std::vector<PimContents>;
    if (left == nullptr) return;
    try {
        left->push_back(std::move(contents_));
    } catch (const std::bad_alloc&) {
        return;  // the records are freed with the document, as ever
    }
    contents_ = PimContents{};
    ++revision_;
}

void PimDocument::contentsReplaced() {
    if (journal_ != nullptr) journal_->contentsReplaced();
    setModified(false, true);
}

void PimDocument::apply(DocumentEdit edit) {
    DocumentEdit reversal = applyQuietly(std::move(edit));
    const bool backAtSaved = journal_ != nullptr && journal_->recorded(std::move(reversal));
    modified_ = !backAtSaved;
    notifyViews();
}

DocumentEdit PimDocument::applyQuietly(DocumentEdit edit) {
    DocumentEdit reversal = std::visit(
        [this](auto& change) -> DocumentEdit {
            using Change = std::decay_t<decltype(change)>;
            if constexpr (std::is_same_v<Change, ReplaceUser>) {
                std::swap(contents_.user, change.user);
                return std::move(change);
            } else if constexpr (std::is_same_v<Change, EditSequence>) {
                return applySequence(change);
            } else {
                using Record = typename EditedRecord<Change>::type;
                RecordEditor<Record> editor(contents_.store<Record>());
                return std::visit(editor, change);
            }
        },
        edit);
    return reversal;
}

DocumentEdit PimDocument::applySequence(EditSequence& sequence) {
    EditSequence reversal;
    reversal.edits.reserve(sequence.edits.size());
    try {
        for (DocumentEdit& edit : sequence.edits)
            reversal.edits.push_back(applyQuietly(std::move(edit)));
    } catch (...) {
        // Out of memory half-way: undo what went in, so the change happens whole or not at all.
        for (auto it = reversal.edits.rbegin(); it != reversal.edits.rend(); ++it)
            (void)applyQuietly(std::move(*it));
        throw;
    }
    std::reverse(reversal.edits.begin(), reversal.edits.end());
    return reversal;
}

void PimDocument::setUser(User user) {
    apply(ReplaceUser{std::move(user)});
}

namespace {

// Takes out every record the store holds and puts in those of `version`, with its LastID.
template <class Record>
void exchangeRecords(EditSequence& sequence, const RecordStore<Record>& held,
                     RecordStore<Record>& version) {
    EraseRecords<Record> out{{}, version.lastId()};
    out.ids.reserve(held.size());
    for (const auto& entry : held)
        out.ids.push_back(entry.first);
    InsertRecords<Record> in{{}, version.lastId()};
    while (!version.empty()) {
        auto node = version.extract(version.begin()->first);
        in.records.insert(in.records.end(), std::move(node));
    }
    sequence.edits.push_back(RecordEdit<Record>(std::move(out)));
    sequence.edits.push_back(RecordEdit<Record>(std::move(in)));
}

}  // namespace

void PimDocument::replaceRecords(PimContents&& version) {
    EditSequence sequence;
    exchangeRecords(sequence, contents_.phGroups, version.phGroups);
    exchangeRecords(sequence, contents_.persons, version.persons);
    exchangeRecords(sequence, contents_.tasks, version.tasks);
    exchangeRecords(sequence, contents_.appointments, version.appointments);
    sequence.edits.push_back(ReplaceUser{std::move(version.user)});
    apply(std::move(sequence));
}

bool PimDocument::isGroupInUse(int32_t groupId) const {
    return std::any_of(persons().begin(), persons().end(), [&](const auto& entry) {
        const auto& groups = entry.second.PhGroups;
        return std::find(groups.begin(), groups.end(), groupId) != groups.end();
    });
}

bool PimDocument::isGroupDescTaken(const std::string& desc, int32_t exceptId) const {
    return std::any_of(phGroups().begin(), phGroups().end(), [&](const auto& entry) {
        return entry.first != exceptId && entry.second.Desc == desc;
    });
}

std::optional<int32_t> groupNamed(const PimDocument& document, std::string_view desc) {
    for (const auto& [id, group] : document.phGroups()) {
        if (group.Desc == desc) return id;
    }
    return std::nullopt;
}

bool PimDocument::deleteGroup(int32_t groupId) {
    if (isGroupInUse(groupId)) return false;
    remove<PhGroup>(groupId);
    return true;
}

CompactResult PimDocument::compact(const WriteStep& write) {
    CompactResult result;
    const DateTime today = DateTime::today(clock_);
    EraseRecords<Task> old{{}, tasks().lastId()};
    for (const auto& [id, task] : tasks()) {
        if (task.isDone() && task.DueDate < today) old.ids.push_back(id);
    }
    result.tasksRemoved = old.ids.size();
    if (!old.ids.empty()) {
        DocumentEdit reversal = applyQuietly(RecordEdit<Task>(std::move(old)));
        if (journal_ != nullptr) journal_->recorded(std::move(reversal));
    }
    result.written = path_.empty() ? Status::failure(FailureKind::Usage, "",
                                                     _("the document has no file name yet"))
                                   : write(*this, path_);
    if (result.written)
        setModified(false);
    else if (result.tasksRemoved > 0)
        modified_ = true;
    notifyViews();
    return result;
}
