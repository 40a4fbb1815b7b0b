#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DateTime.h"
#include "records/Occurrences.h"

class PimDocument;

// The occurrences of every appointment that cover any of the days from `first` to `last`
// (dates, both included), each once, in start order; equal starts in ID order. The IDs of
// series that repeat too often to be worked out in full go to `unfinished`.
[[nodiscard]] std::vector<Occurrence> occurrencesBetween(const PimDocument& document,
                                                         DateTime first, DateTime last,
                                                         std::vector<int32_t>& unfinished);

// "ID<TAB>DATE<TAB>START-END<TAB>DESCRIPTION" without the line break: the start date as
// YYYY-MM-DD, times as HH:MM with the end's date before its time when it ends on a later
// day, "All day" (to the last day when there are several) for whole days, and the
// description as a line field.
[[nodiscard]] std::string occurrenceLine(const Occurrence& occurrence);
