#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "records/Appointment.h"
#include "records/DateTime.h"
#include "records/DocumentView.h"
#include "records/Person.h"
#include "records/PhGroup.h"
#include "records/RecordStore.h"
#include "records/Task.h"
#include "records/User.h"

class Clock;

// What compaction did.
struct CompactResult {
    size_t tasksRemoved = 0;
    bool written = false;  // the document reached its file
};

// The one open document: every record, the identifiers, the modified flag, the path and
// the views to tell of changes. Opening or creating a document refills this object.
class PimDocument {
public:
    // Writes the document to a path; true when the file is in place.
    using WriteStep = std::function<bool(const PimDocument&, const std::string& path)>;

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

    [[nodiscard]] bool isModified() const { return modified_; }
    // Sets the flag and, when asked, tells the views of a change.
    void setModified(bool modified, bool notify = false);

    [[nodiscard]] const std::string& path() const { return path_; }
    // Sets the path and tells the views.
    void setPath(std::string path);

    // The day the organizer shows; today when the document is made.
    [[nodiscard]] DateTime currentDate() const { return currentDate_; }
    void setCurrentDate(DateTime date) { currentDate_ = date; }

    // The collections. The mutable forms are for loading; edits go through the
    // operations below, which set the modified flag and tell the views.
    [[nodiscard]] const RecordStore<Person>& persons() const { return persons_; }
    [[nodiscard]] const RecordStore<Task>& tasks() const { return tasks_; }
    [[nodiscard]] const RecordStore<Appointment>& appointments() const { return appointments_; }
    [[nodiscard]] const RecordStore<PhGroup>& phGroups() const { return phGroups_; }
    [[nodiscard]] const User& user() const { return user_; }
    RecordStore<Person>& persons() { return persons_; }
    RecordStore<Task>& tasks() { return tasks_; }
    RecordStore<Appointment>& appointments() { return appointments_; }
    RecordStore<PhGroup>& phGroups() { return phGroups_; }
    User& user() { return user_; }

    template <class Record>
    RecordStore<Record>& store();

    // Empties every collection, zeroes the counters and the owner's record, clears the
    // modified flag and tells the views.
    void resetContents();
    // Takes over every record, counter and the owner's record of `other`, which is left
    // empty; then clears the modified flag and tells the views. The path stays.
    void takeContents(PimDocument& other);
    // Resets the contents and forgets the path.
    void makeNew();
    // Adds the groups "All", "White Pages" and "Yellow Pages" to a new document without
    // marking it modified.
    void seedDefaultGroups();

    // Stores a new record under the next identifier and returns it (0 when none is left).
    template <class Record>
    int32_t add(Record record);
    // Overwrites the record with the same ID; false when there is none.
    template <class Record>
    bool replace(const Record& record);
    // Removes the record with that ID, if any.
    template <class Record>
    void remove(int32_t id);
    // Replaces the owner's record.
    void setUser(const User& user);

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
    void changed();

    const Clock& clock_;
    std::vector<DocumentView*> views_;
    bool modified_ = false;
    std::string path_;
    DateTime currentDate_;
    RecordStore<Person> persons_;
    RecordStore<Task> tasks_;
    RecordStore<Appointment> appointments_;
    RecordStore<PhGroup> phGroups_;
    User user_;
};

template <class Record>
RecordStore<Record>& PimDocument::store() {
    if constexpr (std::is_same_v<Record, Person>)
        return persons_;
    else if constexpr (std::is_same_v<Record, Task>)
        return tasks_;
    else if constexpr (std::is_same_v<Record, Appointment>)
        return appointments_;
    else {
        static_assert(std::is_same_v<Record, PhGroup>, "not a record kind of the document");
        return phGroups_;
    }
}

template <class Record>
int32_t PimDocument::add(Record record) {
    const int32_t id = store<Record>().addNew(std::move(record));
    if (id != 0) changed();
    return id;
}

template <class Record>
bool PimDocument::replace(const Record& record) {
    if (!store<Record>().replace(record)) return false;
    changed();
    return true;
}

template <class Record>
void PimDocument::remove(int32_t id) {
    store<Record>().erase(id);
    changed();
}
