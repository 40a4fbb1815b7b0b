#pragma once

#include <cstdint>

#include "records/DateTime.h"

class DocumentDoor;

// Takes one occurrence out of a series, keyed by the start the series gives it, as the
// undo step "Delete Appointment"; the series goes whole when it was the last one left.
// False, changing nothing, when the appointment is gone or has no occurrence there.
bool removeOccurrence(DocumentDoor& door, int32_t id, DateTime key);
