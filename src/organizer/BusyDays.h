#pragma once

#include <vector>

#include "records/DateTime.h"

class PimDocument;

// The days from `first` to `last` (both included, dates only) on which the document lists
// an appointment (every day an occurrence covers), a birthday or an anniversary, or holds an
// open task, ascending and each once: the calendar draws them bold, so that a busy day shows
// before it is chosen.
[[nodiscard]] std::vector<DateTime> busyDays(const PimDocument& document, DateTime first,
                                             DateTime last);
