#pragma once

#include <type_traits>

#include "records/Appointment.h"
#include "records/Person.h"
#include "records/PhGroup.h"
#include "records/RecordStore.h"
#include "records/Task.h"
#include "records/User.h"

// Every record of a document, apart from any document: what a loader fills before the
// document takes it over whole. Changing a PimContents changes no open document.
struct PimContents {
    RecordStore<Person> persons;
    RecordStore<Task> tasks;
    RecordStore<Appointment> appointments;
    RecordStore<PhGroup> phGroups;
    User user;

    // The collection of one record kind.
    template <class Record>
    [[nodiscard]] RecordStore<Record>& store();
    template <class Record>
    [[nodiscard]] const RecordStore<Record>& store() const {
        return const_cast<PimContents*>(this)->store<Record>();
    }

    bool operator==(const PimContents&) const = default;

    // Adds the groups "All", "White Pages" and "Yellow Pages" (ids 1 to 3 when empty).
    void seedDefaultGroups();
};

template <class Record>
RecordStore<Record>& PimContents::store() {
    if constexpr (std::is_same_v<Record, Person>)
        return persons;
    else if constexpr (std::is_same_v<Record, Task>)
        return tasks;
    else if constexpr (std::is_same_v<Record, Appointment>)
        return appointments;
    else {
        static_assert(std::is_same_v<Record, PhGroup>, "not a record kind of the document");
        return phGroups;
    }
}
