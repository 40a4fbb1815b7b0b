#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"
#include "records/DateTime.h"
#include "records/DocumentEdit.h"
#include "records/DocumentView.h"
#include "records/NewRecords.h"
#include "records/PimContents.h"

class Clock;

// What compaction did.
struct CompactResult {
    size_t tasksRemoved = 0;
    Status written;  // how writing the document to its file went
};

// The one open document: every record, the identifiers, the modified flag, the path and
// the views to tell of changes. Opening or creating a document refills this object.
//
// Records change only through this class: each change is a DocumentEdit, applied in one
// place that sets the modified flag, tells the views once and hands the edit's reversal
// to the journal, so that undo, the flag and the views cannot be bypassed.
class PimDocument {
public:
    // Writes the document to a path.
    using WriteStep = std::function<Status(const PimDocument&, const std::string& path)>;

    explicit PimDocument(const Clock& clock);
    ~PimDocument();
    PimDocument(const PimDocument&) = delete;
    PimDocument& operator=(const PimDocument&) = delete;

    // Where "now" and "today" come from for this document.
    [[nodiscard]] const Clock& clock() const { return clock_; }

    // Views are told of changes in the order they were attached.
    void attachView(DocumentView& view);
    void detachView(DocumentView& view);
    void notifyViews();
    // Counts the changes the views were told of, so that a cache of what the records give
    // (the days a series covers) can tell it is out of date.
    [[nodiscard]] uint64_t revision() const { return revision_; }

    // The journal told of every edit and its reversal; nullptr for none.
    void setJournal(EditJournal* journal) { journal_ = journal; }

    [[nodiscard]] bool isModified() const { return modified_; }
    // Sets the flag and, when asked, tells the views of a change.
    void setModified(bool modified, bool notify = false);

    [[nodiscard]] const std::string& path() const { return path_; }
    // Sets the path and tells the views.
    void setPath(std::string path);

    // The day the organizer shows; today when the document is made.
    [[nodiscard]] DateTime currentDate() const { return currentDate_; }
    void setCurrentDate(DateTime date) { currentDate_ = date; }

    // The records, to read.
    [[nodiscard]] const PimContents& contents() const { return contents_; }
    [[nodiscard]] const RecordStore<Person>& persons() const { return contents_.persons; }
    [[nodiscard]] const RecordStore<Task>& tasks() const { return contents_.tasks; }
    [[nodiscard]] const RecordStore<Appointment>& appointments() const {
        return contents_.appointments;
    }
    [[nodiscard]] const RecordStore<PhGroup>& phGroups() const { return contents_.phGroups; }
    [[nodiscard]] const User& user() const { return contents_.user; }

    // Whole-document operations (but seeding). Each leaves the document unmodified and
    // tells the views, and the journal that earlier reversals no longer apply.

    // Empties every collection, zeroes the counters and the owner's record.
    void resetContents();
    // Takes over every record, counter and the owner's record of a document just read.
    // The path stays.
    void adoptContents(PimContents&& contents);
    // Resets the contents and forgets the path.
    void makeNew();
    // Adds the groups "All", "White Pages" and "Yellow Pages" to a new document, telling
    // the views but leaving the modified flag and the journal alone.
    void seedDefaultGroups();
    // For a program about to end: empties the document without freeing its records one by
    // one, which takes about as long as reading them did; the end of the process takes
    // their memory back at once. Tells neither the views nor the journal.
    void leaveRecordsToExit() noexcept;

    // The door for every change: applies the edit, marks the document modified, tells
    // the views once and hands the reversal to the journal.
    void apply(DocumentEdit edit);

    // Stores a new record under the next identifier and returns it (0 when none is left).
    template <class Record>
    int32_t add(Record record);
    // Stores new records under consecutive identifiers as one edit; returns how many were
    // stored (fewer when the identifiers run out).
    template <class Record>
    size_t addMany(std::vector<Record> records);
    // Stores records numbered for this document as one edit; returns how many.
    template <class Record>
    size_t addAll(NewRecords<Record> records);
    // Stores batches of different kinds (groups and the persons filed in them) as one
    // edit, in the order given; batches without records are left out.
    template <class... Records>
    void addTogether(NewRecords<Records>... batches);
    // Overwrites the record with the same ID; false, changing nothing, when there is none.
    template <class Record>
    bool replace(Record record);
    // Removes the record with that ID, if any. Either way the document counts as changed,
    // but only a record that went is an edit the journal hears of.
    template <class Record>
    void remove(int32_t id);
    // Replaces the owner's record.
    void setUser(User user);
    // Puts every record of another version of this document (a recovery copy, a backup) in
    // place of the ones held, as one edit, so that undo brings the held ones back.
    void replaceRecords(PimContents&& version);

    // Whether any person lists the group.
    [[nodiscard]] bool isGroupInUse(int32_t groupId) const;
    // Whether a group other than `exceptId` already has exactly this description.
    [[nodiscard]] bool isGroupDescTaken(const std::string& desc, int32_t exceptId) const;
    // Removes a group no person lists; false, changing nothing, while it is in use.
    bool deleteGroup(int32_t groupId);

    // Removes done tasks due before today, then writes the document to its path. The
    // modified flag is cleared only when the write succeeded; a document without a path
    // is not written (the caller asks for one first).
    CompactResult compact(const WriteStep& write);

private:
    // Applies the edit and returns its reversal; flag, journal and views untouched.
    DocumentEdit applyQuietly(DocumentEdit edit);
    // The same for each edit of the sequence in turn; the reversal undoes the last first.
    DocumentEdit applySequence(EditSequence& sequence);
    void contentsReplaced();

    const Clock& clock_;
    std::vector<DocumentView*> views_;
    EditJournal* journal_ = nullptr;
    bool modified_ = false;
    uint64_t revision_ = 0;
    std::string path_;
    DateTime currentDate_;
    PimContents contents_;
};

// The group whose description is exactly `desc`, byte for byte (the first by ID when a file
// holds it twice); nothing when there is none.
[[nodiscard]] std::optional<int32_t> groupNamed(const PimDocument& document, std::string_view desc);

template <class Record>
int32_t PimDocument::add(Record record) {
    std::vector<Record> one;
    one.push_back(std::move(record));
    return addMany(std::move(one)) == 1 ? contents_.store<Record>().lastId() : 0;
}

template <class Record>
size_t PimDocument::addMany(std::vector<Record> records) {
    NewRecords<Record> numbered(contents_.store<Record>());
    for (Record& record : records) {
        if (!numbered.add(std::move(record))) break;
    }
    return addAll(std::move(numbered));
}

template <class Record>
size_t PimDocument::addAll(NewRecords<Record> records) {
    const size_t count = records.size();
    if (count != 0) apply(RecordEdit<Record>(records.edit()));
    return count;
}

template <class... Records>
void PimDocument::addTogether(NewRecords<Records>... batches) {
    EditSequence sequence;
    (...,
     (batches.empty() ? void() : sequence.edits.push_back(RecordEdit<Records>(batches.edit()))));
    if (sequence.edits.size() == 1)
        apply(std::move(sequence.edits.front()));
    else if (!sequence.edits.empty())
        apply(std::move(sequence));
}

template <class Record>
bool PimDocument::replace(Record record) {
    if (!contents_.store<Record>().contains(record.ID)) return false;
    std::vector<Record> one;
    one.push_back(std::move(record));
    apply(RecordEdit<Record>(ReplaceRecords<Record>{std::move(one)}));
    return true;
}

template <class Record>
void PimDocument::remove(int32_t id) {
    if (!contents_.store<Record>().contains(id)) {
        setModified(true, true);
        return;
    }
    apply(RecordEdit<Record>(EraseRecords<Record>{{id}, contents_.store<Record>().lastId()}));
}
