#pragma once

#include <cstdint>

#include "records/Appointment.h"
#include "records/DateTime.h"

class DocumentDoor;
struct Occurrence;

// Which occurrences of a series a change or a delete takes.
enum class OccurrenceScope {
    This,              // the one chosen, kept as an exception of the series
    ThisAndFollowing,  // it and every later one: the series ends before it
    All,               // the series itself
};

// An occurrence as an appointment of its own for the editor to open on: its start, end,
// text and alarm, whole days and last day kept; no rule, no exceptions, no zone.
[[nodiscard]] Appointment occurrenceAsAppointment(const Occurrence& occurrence);

// Removes the occurrence of series `id` keyed `key`, it and the following, or the series,
// as one undo step: "Delete Occurrence", "Delete Following Occurrences", or "Delete
// Appointment" when the series goes whole or has none left. False, changing nothing, when
// the appointment is gone or has no occurrence there.
bool removeOccurrences(DocumentDoor& door, int32_t id, DateTime key, OccurrenceScope scope);
// The same for the one occurrence.
bool removeOccurrence(DocumentDoor& door, int32_t id, DateTime key);

// Gives the occurrence keyed `key` the values of `edited` (occurrenceAsAppointment's
// appointment as the editor left it) as one undo step: "Change Occurrence" keeps them as an
// exception; "Change Following Occurrences" ends the series before it and starts a new one
// there (its own ID, a new UID when the old had one) that takes the later exceptions;
// "Change All Occurrences" changes the series itself (also when "following" starts at its
// first). A series moves, exceptions and end included, by as far as the occurrence moved.
// The ID of the series that now holds the occurrence; 0, changing nothing, when the
// appointment is gone or has no occurrence there.
int32_t changeOccurrences(DocumentDoor& door, int32_t id, DateTime key, OccurrenceScope scope,
                          const Appointment& edited);
