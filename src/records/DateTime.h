#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/DateTimeSpan.h"

class Clock;
class Locale;

// The broken-down form of a DateTime.
struct CalendarFields {
    int year = 0;       // 100 to 9999
    int month = 0;      // 1 to 12
    int day = 0;        // 1 to 31
    int hour = 0;       // 0 to 23
    int minute = 0;     // 0 to 59
    int second = 0;     // 0 to 59
    int dayOfWeek = 0;  // 1 Sunday to 7 Saturday
    bool operator==(const CalendarFields&) const = default;
};

enum class DateStyle { Short, Long };
enum class TimeStyle { WithSeconds, NoSeconds };

// A local wall-clock date and time: days since 30 December 1899 00:00 with the time of
// day as fraction. Below zero the whole part counts days backwards while the fraction
// still counts forwards from midnight (-1.25 is 29 December 1899, 06:00).
class DateTime {
public:
    static constexpr double kNullValue = -657435.0;
    static constexpr double kMinValue = -657434.0;  // 1 January 100, 00:00
    static constexpr double kMaxValue = 2958465.0;  // 31 December 9999, 00:00
    // What field getters return for null and out-of-range values.
    static constexpr int kBadField = INT32_MIN;

    // The null value.
    constexpr DateTime() = default;
    constexpr explicit DateTime(double value) : value_(value) {}

    // The value of the given fields, or null when they do not form a valid date and time.
    [[nodiscard]] static DateTime fromFields(int year, int month, int day, int hour = 0,
                                             int minute = 0, int second = 0);
    // The clock's current local date and time in whole seconds.
    [[nodiscard]] static DateTime now(const Clock& clock);
    // The clock's current local date at 00:00.
    [[nodiscard]] static DateTime today(const Clock& clock);
    // The local time of an instant given as seconds since 1970; null for a negative count
    // or one beyond the valid range.
    [[nodiscard]] static DateTime fromSeconds(int64_t secondsSince1970);
    // The local calendar fields at an instant, before 1970 too; null when the C library
    // cannot tell them or the instant lies beyond the valid range.
    [[nodiscard]] static DateTime localFieldsAt(int64_t secondsSince1970);
    // Whether an instant lies near enough the valid range that its local time may fall in
    // it, whatever the time zone; any other instant has the null value.
    [[nodiscard]] static bool mayBeInRange(int64_t secondsSince1970);

    // The value of a count of seconds since 1 January 1970 00:00 on the wall clock, with no
    // time zone involved; null beyond the valid range.
    [[nodiscard]] static DateTime fromLocalSeconds(int64_t localSeconds);
    // The wall-clock seconds since 1 January 1970 00:00 of the calendar fields; empty for
    // null and out-of-range values.
    [[nodiscard]] std::optional<int64_t> localSeconds() const;

    // Assigns the value of the fields (null when invalid) and reports whether it is valid.
    bool setFields(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    // The raw stored number.
    constexpr double value() const { return value_; }
    // Whether the value lies in the valid range (the null value does not).
    constexpr bool isValid() const { return value_ >= kMinValue && value_ <= kMaxValue; }
    constexpr bool isNull() const { return value_ == kNullValue; }

    // The instant of these local fields as seconds since 1970 in the zone of TZ; -1 for
    // null, out-of-range and pre-1970 values. A time the clocks skip is read with the
    // offset before the change; a time they repeat gives the earlier instant.
    [[nodiscard]] int64_t toSeconds() const;

    // The calendar fields, rounded to whole seconds; empty for null and out-of-range values.
    [[nodiscard]] std::optional<CalendarFields> fields() const;
    [[nodiscard]] int year() const;
    [[nodiscard]] int month() const;
    [[nodiscard]] int day() const;
    [[nodiscard]] int hour() const;
    [[nodiscard]] int minute() const;
    [[nodiscard]] int second() const;
    // 1 Sunday to 7 Saturday.
    [[nodiscard]] int dayOfWeek() const;
    // 1 to 366.
    [[nodiscard]] int dayOfYear() const;

    // The same day at 00:00; null stays null.
    [[nodiscard]] DateTime date() const;

    // Comparisons use the continuous value, which has no break at day boundaries below zero.
    bool operator==(const DateTime& other) const { return continuous() == other.continuous(); }
    auto operator<=>(const DateTime& other) const { return continuous() <=> other.continuous(); }

    // Null when this value or the span is out of range, or the result would be.
    DateTime operator+(DateTimeSpan span) const;
    DateTime operator-(DateTimeSpan span) const { return *this + (-span); }
    // The continuous distance between two values.
    DateTimeSpan operator-(const DateTime& other) const;

    // Locale formatting; "" when the value has no calendar fields. At most 255 bytes.
    [[nodiscard]] std::string formatDate(const Locale& locale,
                                         DateStyle style = DateStyle::Short) const;
    [[nodiscard]] std::string formatDate(const Locale& locale, std::string_view picture) const;
    [[nodiscard]] std::string formatTime(const Locale& locale,
                                         TimeStyle style = TimeStyle::WithSeconds) const;
    [[nodiscard]] std::string formatTime(const Locale& locale, std::string_view picture) const;
    // strftime over the calendar fields; "" for null or out-of-range values. At most 4095 bytes.
    [[nodiscard]] std::string format(const char* strftimePattern) const;

    // The value on the continuous scale used for comparison and arithmetic.
    [[nodiscard]] double continuous() const;
    [[nodiscard]] static DateTime fromContinuous(double continuous);

private:
    // The day (days since 30 December 1899) and the second of that day, of a valid value.
    struct DayAndSecond {
        int64_t day;
        int64_t second;
    };
    [[nodiscard]] DayAndSecond dayAndSecond() const;

    double value_ = kNullValue;
};
