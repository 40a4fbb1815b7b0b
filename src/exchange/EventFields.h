#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <optional>
#include <string>

#include "records/Appointment.h"

class SeriesWall;

// What an event of a calendar says in the terms of an appointment.

// A summary without blanks at either end, its line breaks CR LF, and without control
// characters (which libical leaves out when it writes the text).
[[nodiscard]] std::string summaryText(const char* text);

// When an event happens, on the wall clock of its series.
struct EventTimes {
    DateTime start;  // 00:00 of its first day when of whole days
    DateTime end;    // not before the start; 00:00 of the day after its last for whole days
    // Whether the start and end in local time are the later instants of an hour the clocks
    // repeat.
    bool startLater = false;
    bool endLater = false;
};

// The times of an event (DTSTART, and DTEND or DURATION) on `wall`; a null start when it
// has none that can be read. Without an end that can be read, or with one before the start
// or past the year 3000, it ends at its start; an event of whole days lasts a day at least.
[[nodiscard]] EventTimes timesOf(icalcomponent* event, icalcomponent* calendar,
                                 const SeriesWall& wall);

// Seconds from an appointment's start (its local start and end and their later-of-two flags
// set) to its event's first alarm that can be read (negative before it), for an event
// lasting `length` seconds; none without one. The days and weeks of a trigger are days of
// the clock of the time it counts from, as RFC 5545 has them.
[[nodiscard]] std::optional<int32_t> alarmOffsetOf(icalcomponent* event, icalcomponent* calendar,
                                                   const Appointment& a, int64_t length);
// Whether an alarm of the event has a trigger that cannot be read, and is left out.
[[nodiscard]] bool hasUnreadAlarm(icalcomponent* event);

// An appointment made at `now` for an event at `times`: its version-16 fields in local time
// (whole days from 00:00 to 23:59), whole and several days and the zone of `wall` in its
// schedule, and the event's first alarm.
[[nodiscard]] Appointment appointmentAt(icalcomponent* event, icalcomponent* calendar,
                                        const EventTimes& times, const SeriesWall& wall,
                                        const std::string& description, DateTime now);

// The seconds from one wall time to another.
[[nodiscard]] int64_t secondsFrom(DateTime from, DateTime to);
