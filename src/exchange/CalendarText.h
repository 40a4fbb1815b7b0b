#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/DateTime.h"

// The pieces of iCalendar text the export writes, as libical writes them.

// Appends `value` in decimal, with leading zeros up to `width` digits.
void appendCalendarNumber(std::string& out, uint64_t value, int width = 1);

// Appends `line` and its CR LF, folded into pieces of at most 74 bytes.
void appendCalendarLine(std::string& out, std::string_view line);

// Appends a TEXT property: a backslash before "\", ";" and ",", every line break as "\n", no
// other control character but the tab. `line` is scratch space.
void appendCalendarText(std::string& out, std::string& line, std::string_view name,
                        std::string_view text);

// Appends "YYYYMMDD", then "THHMMSS" for a time, and "Z" for UTC.
void appendCalendarTime(std::string& out, const CalendarFields& f, bool withTime, bool utc);

// Appends a relative alarm trigger as an exact duration: hours, minutes and seconds, never
// days or weeks; negative before the start.
void appendCalendarDuration(std::string& out, int seconds);

// Appends a display alarm that rings `secondsBefore` the start, saying `text`.
void appendCalendarAlarm(std::string& out, std::string& line, int64_t secondsBefore,
                         std::string_view text);
