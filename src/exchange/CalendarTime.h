#pragma once

#include <libical/ical.h>

#include "records/DateTime.h"

// Between the times of iCalendar and the local wall-clock times of records (in the zone of
// TZ). Only the calendar code includes this header, and with it libical.

// The local time of an iCalendar time: a UTC time and a time in a known zone at their
// instant, a floating time and a date (00:00) as they stand. Null when it has none.
[[nodiscard]] DateTime localTimeOf(icaltimetype time);

// A local time as iCalendar writes it: in UTC when the wall-clock time names exactly one
// instant that converts back to it, otherwise (a time the clocks skip, a year before 1970)
// floating, which every reader takes as local time.
[[nodiscard]] icaltimetype icalTimeOf(DateTime local);

// A local time as a floating iCalendar time, which stands for the same wall-clock time
// anywhere.
[[nodiscard]] icaltimetype floatingTimeOf(DateTime local);

// The local day of a value as an iCalendar date.
[[nodiscard]] icaltimetype icalDateOf(DateTime local);

// The zone of a property's TZID, looked up in the calendar and then among the zones
// libical knows; nullptr for none, or one that is not known (read as floating).
[[nodiscard]] icaltimezone* zoneOfProperty(icalproperty* property, icalcomponent* calendar);

// A date-time property's value with the zone its TZID names, which libical leaves unset for
// some properties (extra and excluded dates, recurrence ids).
[[nodiscard]] icaltimetype withPropertyZone(icaltimetype time, icalproperty* property,
                                            icalcomponent* calendar);
