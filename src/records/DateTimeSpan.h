#pragma once

#include <cstdint>

// A length of time as a count of days; 1.5 is a day and twelve hours.
class DateTimeSpan {
public:
    static constexpr double kMaxDays = 3615897.0;

    constexpr DateTimeSpan() = default;
    constexpr explicit DateTimeSpan(double days) : days_(days) {}

    // days + hours / 24 + minutes / 1440 + seconds / 86400.
    static constexpr DateTimeSpan fromParts(int32_t days, int32_t hours, int32_t minutes,
                                            int32_t seconds) {
        return DateTimeSpan(days + hours / 24.0 + minutes / 1440.0 + seconds / 86400.0);
    }

    // The span in days, fraction included.
    constexpr double days() const { return days_; }
    // Whether the span lies within +/- kMaxDays.
    constexpr bool isValid() const { return days_ >= -kMaxDays && days_ <= kMaxDays; }
    // Minutes within the hour, truncated toward zero.
    int minutes() const;

    constexpr DateTimeSpan operator-() const { return DateTimeSpan(-days_); }
    constexpr auto operator<=>(const DateTimeSpan&) const = default;

private:
    double days_ = 0.0;
};
