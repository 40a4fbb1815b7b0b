#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Appointment.h"
#include "records/DateTime.h"
#include "records/RuleExpansion.h"

class ZoneRules;

// One occurrence of an appointment, as the views, reports, reminders and exports see it.
// An ordinary appointment is its own one occurrence. Points into the appointment: valid
// while the record is unchanged.
struct Occurrence {
    const Appointment* appointment = nullptr;
    const ChangedOccurrence* change = nullptr;  // set when this occurrence was changed alone
    DateTime key;    // the start the series gives it, in the series' wall time; null when
                     // the appointment does not repeat
    DateTime start;  // local date and time; 00:00 of the first day when all-day
    DateTime end;    // local date and time; 00:00 of the day after the last when all-day

    [[nodiscard]] int32_t id() const { return appointment->ID; }
    [[nodiscard]] bool allDay() const { return appointment->schedule.get().allDay; }
    [[nodiscard]] bool repeats() const { return !key.isNull(); }
    [[nodiscard]] const std::string& description() const;
    [[nodiscard]] bool alarm() const;
    // The local time its alarm rings; meaningful only while alarm() is set.
    [[nodiscard]] DateTime alarmTime() const;
    // The first and the last day it covers (00:00): an occurrence that ends at midnight
    // does not cover the day that begins then.
    [[nodiscard]] DateTime firstDay() const { return start.date(); }
    [[nodiscard]] DateTime lastDay() const;

    bool operator==(const Occurrence&) const = default;
};

// The occurrences of `appointment` that cover any part of the days from `first` to `last`
// (dates, both included), in start order: a multi-day occurrence is on every day it
// covers. An ordinary appointment gives itself when its day lies among them.
[[nodiscard]] std::vector<Occurrence> occurrencesOnDays(const Appointment& appointment,
                                                        DateTime first, DateTime last,
                                                        ExpansionBudget& budget);
[[nodiscard]] std::vector<Occurrence> occurrencesOnDays(const Appointment& appointment,
                                                        DateTime first, DateTime last);

// The occurrences that start at or after `from` and before `to` (local times), in start
// order, at most `limit` of them.
[[nodiscard]] std::vector<Occurrence> occurrencesStarting(const Appointment& appointment,
                                                          DateTime from, DateTime to,
                                                          ExpansionBudget& budget,
                                                          size_t limit = SIZE_MAX);

// The first occurrence starting at or after `from`; one with a null start when none does.
[[nodiscard]] Occurrence nextOccurrence(const Appointment& appointment, DateTime from);

// The occurrence of a series whose key is `key`, as it is now (changed or not); one with a
// null start when the series has none there (removed, or no such start).
[[nodiscard]] Occurrence occurrenceAt(const Appointment& appointment, DateTime key);

// The first and the last day any occurrence covers; a null last day for a series without
// end. For a quick test before a query.
struct DaySpan {
    DateTime first;
    DateTime last;
};
[[nodiscard]] DaySpan coveredDays(const Appointment& appointment);

// A series as writers state it rather than its occurrences, in seconds of its own wall
// clock (local time, or the time of its zone).
struct SeriesOutline {
    int64_t first = 0;                // the first start
    int64_t duration = 0;             // from a start to its end; whole days when all-day
    int64_t until = INT64_MAX;        // the last start the rule's UNTIL allows; INT64_MAX for none
    const ZoneRules* zone = nullptr;  // the zone its wall clock keeps; null for local time
};
[[nodiscard]] SeriesOutline seriesOutline(const Appointment& appointment);

// A local time on the series' wall clock (the time of its zone, or itself), as keys and
// changed occurrences are kept.
[[nodiscard]] DateTime seriesWallTime(const Appointment& appointment, DateTime local);
// The local time of a time on the series' wall clock.
[[nodiscard]] DateTime seriesLocalTime(const Appointment& appointment, DateTime wall);

// The starts a removed start (one of Schedule::removed) takes out, in wall seconds,
// ascending: itself, or every start of its day when it is a date of a timed series that
// starts at another time of day.
[[nodiscard]] std::vector<int64_t> startsRemovedBy(const Appointment& appointment,
                                                   DateTime removed);

// An occurrence as an ordinary appointment of its own, for what cannot take a series
// (delimited text, a server's item compared record by record): whole days run from 00:00
// to 23:59 of the last, as a version-16 reader shows them.
[[nodiscard]] Appointment standAlone(const Occurrence& occurrence);

// The days a series is given as its occurrences where it cannot go whole: from a year
// before `today` up to, not including, two years after it (29 February becomes the 28th).
struct OccurrenceWindow {
    DateTime from;
    DateTime to;
};
[[nodiscard]] OccurrenceWindow flatteningWindow(DateTime today);
