#include "records/MonthDay.h"

#include <algorithm>
#include <cstdio>

#include "records/CivilDays.h"

namespace {

constexpr int kPlaceholderYear = 1604;

// The digits of text[from, from + count) as a number; -1 when one is not a digit.
int digits(std::string_view text, size_t from, size_t count) {
    if (from + count > text.size()) return -1;
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int daysInMonth(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && civil::isLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<MonthDay> MonthDay::make(int month, int day, int year) {
    // 2000 is a leap year: any 29 February is taken.
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(month, 2000)) return {};
    if (year < 0 || year > 9999) return {};
    MonthDay made;
    made.year_ = static_cast<int16_t>(year);
    made.month_ = static_cast<uint8_t>(month);
    made.day_ = static_cast<uint8_t>(day);
    return made;
}

std::optional<MonthDay> MonthDay::parse(std::string_view text) {
    text = text.substr(0, text.find('T'));
    int year = 0, month = -1, day = -1;
    if (text.starts_with("--")) {
        const bool dashed = text.size() == 7 && text[4] == '-';
        if (!dashed && text.size() != 6) return {};
        month = digits(text, 2, 2);
        day = digits(text, dashed ? 5 : 4, 2);
    } else {
        const bool dashed = text.size() == 10 && text[4] == '-' && text[7] == '-';
        if (!dashed && text.size() != 8) return {};
        year = digits(text, 0, 4);
        month = digits(text, dashed ? 5 : 4, 2);
        day = digits(text, dashed ? 8 : 6, 2);
        if (year == kPlaceholderYear) year = 0;
    }
    if (year < 0) return {};
    return make(month, day, year);
}

std::string MonthDay::text() const {
    if (!isSet()) return {};
    char out[16];
    if (year_ == 0)
        std::snprintf(out, sizeof out, "--%02d-%02d", int{month_}, int{day_});
    else
        std::snprintf(out, sizeof out, "%04d-%02d-%02d", int{year_}, int{month_}, int{day_});
    return out;
}

DateTime MonthDay::dayIn(int year) const {
    if (!isSet() || year < year_ || year < 1 || year > 9999) return {};
    const int day = std::min<int>(day_, daysInMonth(month_, year));
    return DateTime::fromFields(year, month_, day);
}

std::optional<int> MonthDay::yearsIn(int year) const {
    if (year_ == 0 || year < year_) return {};
    return year - year_;
}
