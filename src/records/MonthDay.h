#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/DateTime.h"

// A day that comes back every year, as a birthday or an anniversary does: a month and a
// day, and the year when it is known. 29 February is a day of its own whatever the year,
// since phones write it with years that had none.
class MonthDay {
public:
    // No day at all.
    MonthDay() = default;

    // The day, or nothing when the month has no such day in a leap year. `year` 0 is
    // unknown; otherwise 1 to 9999.
    [[nodiscard]] static std::optional<MonthDay> make(int month, int day, int year = 0);

    // Reads "YYYY-MM-DD", "YYYYMMDD", "--MM-DD" and "--MMDD", a time after a "T" ignored.
    // The years 1604 and 0000, which phones write for a day without its year, read as
    // unknown. Nothing for any other text, the empty one included.
    [[nodiscard]] static std::optional<MonthDay> parse(std::string_view text);

    // Whether there is a day.
    [[nodiscard]] bool isSet() const { return month_ != 0; }
    [[nodiscard]] int month() const { return month_; }
    [[nodiscard]] int day() const { return day_; }
    // The year; 0 when unknown.
    [[nodiscard]] int year() const { return year_; }

    // "1990-02-29", or "--02-29" without a year; "" when unset.
    [[nodiscard]] std::string text() const;

    // The day it falls on in `year` (00:00): 29 February on 28 February in a common year.
    // Null when unset or when `year` is before the year known.
    [[nodiscard]] DateTime dayIn(int year) const;

    // How many years it has come round by `year` (an age); nothing when the year is unknown
    // or later.
    [[nodiscard]] std::optional<int> yearsIn(int year) const;

    bool operator==(const MonthDay&) const = default;

private:
    int16_t year_ = 0;
    uint8_t month_ = 0;
    uint8_t day_ = 0;
};
