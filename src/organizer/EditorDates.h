#pragma once

#include "records/DateTime.h"

// The days the task and appointment editors offer: 1 January 1990 to 31 December 2035.
struct EditorDates {
    // The first and last day a date picker shows, both at 00:00.
    DateTime first;
    DateTime last;

    // The standard range, widened to take in `start` when that lies outside it, so that a
    // record dated elsewhere (by an import, say) opens with its own date instead of having
    // it moved silently to the nearest end.
    [[nodiscard]] static EditorDates around(DateTime start);
    // The standard range.
    [[nodiscard]] static EditorDates standard();

    // Whether the day of `date` lies in the range.
    [[nodiscard]] bool contains(DateTime date) const;
};
