#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/DateTime.h"

// How often a series repeats, finest first.
enum class Frequency { Secondly, Minutely, Hourly, Daily, Weekly, Monthly, Yearly };

// A weekday of a BYDAY list: every such day of the period (ordinal 0), or the nth one
// (1 the first, -1 the last).
struct WeekdayNum {
    int ordinal = 0;
    int weekday = 0;  // 0 Monday to 6 Sunday, as iCalendar counts
    bool operator==(const WeekdayNum&) const = default;
};

// A repeat rule in the terms of iCalendar's RRULE (RFC 5545, 3.3.10), so that a rule from
// another program is kept as it came. Times are wall-clock times of the series: local
// time for a series made here, the time of its zone for one that has a zone.
struct RecurrenceRule {
    Frequency frequency = Frequency::Weekly;
    int interval = 1;
    int count = 0;             // the occurrences it makes; 0 when it is not counted
    DateTime until;            // the last start it may make; null when it has no end date
    bool untilIsDate = false;  // UNTIL was a date: the whole day counts
    bool untilIsUtc = false;   // UNTIL was in UTC ("...Z"): an instant, not a wall time
    std::vector<int> bySecond, byMinute, byHour;
    std::vector<WeekdayNum> byDay;
    std::vector<int> byMonthDay, byYearDay, byWeekNo, byMonth, bySetPos;
    int weekStart = 0;  // 0 Monday to 6 Sunday

    // Reads an RRULE value ("FREQ=WEEKLY;BYDAY=MO,TH;COUNT=5"); unknown parts (X-NAME) are
    // passed over. On failure `error` says which part is wrong.
    [[nodiscard]] static std::optional<RecurrenceRule> parse(std::string_view text,
                                                             std::string* error = nullptr);
    // The RRULE value, parts in RFC order; UNTIL as it was read (date, wall time or UTC).
    [[nodiscard]] std::string text() const;

    // Whether the window's repeat choices can show it: one BYDAY list (weekly), one
    // BYMONTHDAY or one nth weekday (monthly), nothing else beyond FREQ, INTERVAL, COUNT,
    // UNTIL and WKST; daily or coarser.
    [[nodiscard]] bool isSimple() const;

    bool operator==(const RecurrenceRule&) const = default;
};
