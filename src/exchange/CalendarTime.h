#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <optional>

#include "exchange/WrittenTime.h"
#include "records/DateTime.h"

class ZoneRules;

// Between the times of iCalendar and the local wall-clock times of records (in the zone of
// TZ). Only the calendar code includes this header, and with it libical.

// Whether a time that is not null names a day and time that exist: libical reads 30
// February or hour 25 as written, and would move them on to another day.
[[nodiscard]] bool isRealTime(const icaltimetype& time);

// The local time of an iCalendar time: a UTC time and a time in a known zone at their
// instant, a floating time and a date (00:00) as they stand. Null when it has none or it
// is no real time (isRealTime). A zone the system's database knows by the name the time
// gives it is read by its rules (systemRulesOf); a zone the file defines without a rule
// for the time's day (rules for other years only, or a first onset after it) gives way
// to the system's zone of that name, when there is one.
[[nodiscard]] DateTime localTimeOf(icaltimetype time);

// The calendar fields of an iCalendar time as they are written, whatever its zone: a date
// at 00:00. Null when it has none or it is no real time.
[[nodiscard]] DateTime writtenTimeOf(const icaltimetype& time);

// The rules of the system's time zone database for the zone of a time (by its TZID, the
// location the file gives it, or the zone path at the end of a name with a vendor's
// prefix); nullptr for a UTC or floating time, a date, and a zone the system does not know.
[[nodiscard]] const ZoneRules* systemRulesOf(const icaltimetype& time);

// The instant (seconds since 1970) of a UTC time or a time in a known zone, a time the
// clocks skip read with the offset before the change and a time they repeat at its first
// instant; none for a floating time, a date, or no real time.
[[nodiscard]] std::optional<int64_t> instantOfTime(const icaltimetype& time);

// Whether the local time of a UTC or zoned time is the later of the two instants of an hour
// the local clocks repeat: a record's later-of-two flag.
[[nodiscard]] bool isLaterLocalTime(const icaltimetype& time);

// The UTC offset (seconds east) the zone of a zoned time has at an instant; 0 for UTC and
// for times without a zone.
[[nodiscard]] int64_t zoneOffsetAt(const icaltimetype& time, int64_t instant);

// A local time as iCalendar writes it (writtenTime): in UTC at its instant (the later of a
// repeated hour's two when `later`), floating where it names none.
[[nodiscard]] icaltimetype icalTimeOf(DateTime local, bool later = false);
// A time as writtenTime or writtenSpan gave it; the null time for none.
[[nodiscard]] icaltimetype icalTimeOf(const std::optional<WrittenTime>& written);

// A local time as a floating iCalendar time, which stands for the same wall-clock time
// anywhere.
[[nodiscard]] icaltimetype floatingTimeOf(DateTime local);

// The local day of a value as an iCalendar date.
[[nodiscard]] icaltimetype icalDateOf(DateTime local);

// The zone of a property's TZID, looked up in the calendar and then among the zones of the
// system's database, also by the zone path at the end of a name with a vendor's prefix
// ("/vendor.example/20070129_1/America/New_York"); nullptr for none, or one that is not
// known (read as floating).
[[nodiscard]] icaltimezone* zoneOfProperty(icalproperty* property, icalcomponent* calendar);

// A date-time property's value with the zone its TZID names, which libical leaves unset for
// some properties (extra and excluded dates, recurrence ids).
[[nodiscard]] icaltimetype withPropertyZone(icaltimetype time, icalproperty* property,
                                            icalcomponent* calendar);

// The start of an event or to-do, the end of an event (from its DTEND, or its start and
// duration) and the due time of a to-do, each with the zone its TZID names.
[[nodiscard]] icaltimetype startOf(icalcomponent* component, icalcomponent* calendar);
[[nodiscard]] icaltimetype endOf(icalcomponent* event, icalcomponent* calendar);
[[nodiscard]] icaltimetype dueOf(icalcomponent* todo, icalcomponent* calendar);
