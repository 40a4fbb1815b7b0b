#pragma once

#include "records/Appointment.h"

// Carries the exceptions of a series over an edit of the series itself: the starts taken
// out and the occurrences changed alone move with the start's time of day (an exception
// of the 9:00 occurrence belongs to the 10:00 one once the series moved an hour), and
// those that no longer fall on an occurrence of `after` (another rule, another end) are
// dropped. Extra starts stay as they are. A series that no longer repeats keeps none.
void keepFittingExceptions(const Appointment& before, Appointment& after);
