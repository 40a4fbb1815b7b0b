#pragma once

#include <cstdint>
#include <map>
#include <variant>
#include <vector>

#include "records/Appointment.h"
#include "records/Person.h"
#include "records/PhGroup.h"
#include "records/RecordStore.h"
#include "records/Task.h"
#include "records/User.h"

// One change to a document's records, as a value. Applying an edit gives back the edit
// that reverses it, so a history of changes holds reversals rather than copies of the
// document: an import of many records reverses to a list of their identifiers.

// Stores records under their own IDs (a taken ID is skipped), then sets the
// collection's LastID. The records are held in map nodes that the collection takes over
// as they are, so that adding or removing many records never copies or moves one.
template <class Record>
struct InsertRecords {
    typename RecordStore<Record>::Map records;
    int32_t lastId = 0;
};

// Removes the records with these IDs (missing ones are skipped), then sets LastID.
template <class Record>
struct EraseRecords {
    std::vector<int32_t> ids;
    int32_t lastId = 0;
};

// Puts these records in place of the stored ones with the same IDs (missing ones are
// skipped).
template <class Record>
struct ReplaceRecords {
    std::vector<Record> records;
};

// Puts this record in place of the owner's.
struct ReplaceUser {
    User user;
};

template <class Record>
using RecordEdit =
    std::variant<InsertRecords<Record>, EraseRecords<Record>, ReplaceRecords<Record>>;

struct EditSequence;

using DocumentEdit = std::variant<RecordEdit<Person>, RecordEdit<Task>, RecordEdit<Appointment>,
                                  RecordEdit<PhGroup>, ReplaceUser, EditSequence>;

// Several edits that make one change, such as an import that adds groups and the persons
// filed into them: applied in order, and reversed as one, last edit first.
struct EditSequence {
    std::vector<DocumentEdit> edits;
};

// Told of every edit a document applies, with the edit that reverses it.
class EditJournal {
public:
    virtual ~EditJournal() = default;
    // An edit was applied; `reversal` undoes it. Returns whether the records are now as
    // they were when last saved (an undo can lead back there).
    virtual bool recorded(DocumentEdit reversal) = 0;
    // The records as they are now were saved.
    virtual void saved() = 0;
    // The whole contents were replaced (new, open, load): earlier reversals no longer apply.
    virtual void contentsReplaced() = 0;
};
