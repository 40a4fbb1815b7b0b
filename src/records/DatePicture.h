#pragma once

#include <string>
#include <string_view>

#include "records/DateTime.h"

class Locale;

// Windows-style date pictures: d, dd (day), ddd, dddd (day name), M, MM (month),
// MMM, MMMM (month name), y, yy (two-digit year), yyy and longer (full year), text in
// single quotes ('' for a quote) and every other character as it stands.
[[nodiscard]] std::string formatDatePicture(const CalendarFields& fields, std::string_view picture,
                                            const Locale& locale);

// Windows-style time pictures: h, hh (12-hour), H, HH (24-hour), m, mm, s, ss, t (first
// letter of the AM/PM marker), tt (whole marker), quoted text as for dates.
[[nodiscard]] std::string formatTimePicture(const CalendarFields& fields, std::string_view picture,
                                            const Locale& locale);
