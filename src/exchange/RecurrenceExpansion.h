#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <vector>

#include "records/DateTime.h"

// How much recurrence rules may make libical search in one import. A rule whose dates can
// never fall (the 30th of February, every second of Mondays in June) sends libical through
// every unit of its frequency up to UNTIL; the count of such units from the event's start
// to the end of the window bounds that search. A rule's BYHOUR, BYMINUTE and BYSECOND
// multiply the dates of each unit, so the dates libical makes are counted as well. libical
// takes microseconds for each step, so either way a hostile calendar costs a second at
// most, never hours or gigabytes.
class RecurrenceBudget {
public:
    // Units of frequency one rule may cover (an hourly rule over eleven years).
    static constexpr int64_t kPerRule = 100'000;
    // Units of frequency one import may cover.
    static constexpr int64_t kPerImport = 150'000;
    // Dates the rules of one event may make, and those of one import.
    static constexpr int64_t kDatesPerEvent = 40'000;
    static constexpr int64_t kDatesPerImport = 100'000;
    // Of those, the dates in the window, each an appointment: one event may have one an
    // hour for the three years of the window, an import some fifty daily events' worth.
    static constexpr int64_t kOccurrencesPerEvent = 30'000;
    static constexpr int64_t kOccurrencesPerImport = 50'000;

    // Takes `units`; false, taking nothing, when they are more than one rule or the rest of
    // the import may have.
    bool take(int64_t units);
    // Takes one date made for the event being expanded (see startEvent), one that falls in
    // the window when `occurrence`; false, taking nothing, when the event or the import has
    // made as many as it may.
    bool takeDate(bool occurrence = false);
    // The next dates taken are another event's.
    void startEvent() { eventDates_ = eventOccurrences_ = 0; }

private:
    int64_t left_ = kPerImport;
    int64_t datesLeft_ = kDatesPerImport;
    int64_t occurrencesLeft_ = kOccurrencesPerImport;
    int64_t eventDates_ = 0;
    int64_t eventOccurrences_ = 0;
};

// The occurrences of a recurring event that start in a window.
struct Occurrences {
    std::vector<icaltimetype> starts;  // in the event's own form (zone, floating or date)
    const char* failure = nullptr;     // why the event was not expanded
};

// Whether the event recurs: it has a rule or extra dates.
[[nodiscard]] bool isRecurring(icalcomponent* event);

// The starts of `event` (its DTSTART, its rules' dates and its extra dates, less the excluded
// dates and the local times in `replaced`, which other components of the calendar replace)
// whose local time lies from `from` up to, not including, `to`, in ascending order. A rule's
// COUNT counts from DTSTART, before the window.
[[nodiscard]] Occurrences expandOccurrences(icalcomponent* event, icalcomponent* calendar,
                                            DateTime from, DateTime to,
                                            const std::vector<DateTime>& replaced,
                                            RecurrenceBudget& budget);
