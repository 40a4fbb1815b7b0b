#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "records/DateTime.h"

class ZoneRules;

// The wall clock an imported event's times are kept in, as Schedule keeps them: whole days
// for an event of dates; for a series, the zone of its start where the system's database
// has it; local time otherwise (UTC, floating, a zone only the file defines, and every
// single event).
class SeriesWall {
public:
    // The clock of an event that starts at `start` (its DTSTART, with its zone); `keepZone`
    // for a series, which keeps its zone.
    SeriesWall(const icaltimetype& start, bool keepZone);

    // Whether the event is of whole days.
    [[nodiscard]] bool allDay() const { return allDay_; }
    // The zone's name for Schedule::zone; "" for local time and whole days.
    [[nodiscard]] std::string zoneName() const;
    // The wall time of an iCalendar time: a date at 00:00, a floating time as written, a UTC
    // or zoned time at its instant (a time of the series' own zone as written); for whole
    // days the day of that. Null when it has none.
    [[nodiscard]] DateTime wallOf(const icaltimetype& time) const;
    // The wall time at an instant.
    [[nodiscard]] DateTime wallAt(int64_t instant) const;
    // The local time of a wall time.
    [[nodiscard]] DateTime localOf(DateTime wall) const;
    // The instant of a wall time of a timed event.
    [[nodiscard]] int64_t instantOf(DateTime wall) const;

    // The wall time of a time that names a start of the series (EXDATE, RECURRENCE-ID). A
    // series kept in local time that came from UTC or a zone only the file defines gives
    // such a time two readings, which differ where a daylight-saving change lies between it
    // and the first start: at its instant, and as far from the first start as in the first
    // start's own clock. The first of them that `isStart` takes, else the first.
    [[nodiscard]] DateTime startOf(const icaltimetype& time,
                                   const std::function<bool(DateTime)>& isStart) const;

    // The wall time that bounds the series at an instant (a UTC UNTIL): of the two readings
    // startOf weighs, the later, so that the bound takes in every start either means.
    [[nodiscard]] DateTime boundAt(int64_t instant) const;

private:
    // Local offset minus the first start's own offset, at an instant.
    [[nodiscard]] int64_t driftAt(int64_t instant) const;

    bool allDay_ = false;
    const ZoneRules* zone_ = nullptr;
    icaltimetype start_;
    std::optional<int64_t> startInstant_;  // for a local series read from UTC or a file's zone
};
