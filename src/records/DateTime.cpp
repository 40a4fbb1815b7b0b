#include "records/DateTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "platform/Clock.h"
#include "platform/Locale.h"
#include "records/DatePicture.h"
#include "records/SecondsConverter.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1 January 1970 back to 30 December 1899, the zero of DateTime.
constexpr int64_t kEpochToZeroDays = 25569;
constexpr size_t kMaxFormattedDate = 255;
constexpr size_t kMaxStrftime = 4095;

// Days since 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

struct CivilDate {
    int year;
    int month;
    int day;
};

CivilDate civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2)), static_cast<int>(m),
            static_cast<int>(d)};
}

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

// The value of a day number and a second of that day. Dividing one exact integer keeps
// equal times bit-identical however they were reached.
DateTime fromDaysAndSeconds(int64_t days, int64_t secondOfDay) {
    const int64_t magnitude = (days < 0 ? -days : days) * kSecondsPerDay + secondOfDay;
    const double value = double(magnitude) / double(kSecondsPerDay);
    return DateTime(days < 0 ? -value : value);
}

std::string truncated(std::string text, size_t maxBytes) {
    if (text.size() > maxBytes) text.resize(maxBytes);
    return text;
}

}  // namespace

DateTime DateTime::now(const Clock& clock) {
    const LocalTime t = clock.localTime();
    return fromFields(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

DateTime DateTime::today(const Clock& clock) {
    const LocalTime t = clock.localTime();
    return fromFields(t.year, t.month, t.day);
}

DateTime DateTime::fromFields(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return DateTime();
    }
    const int64_t days = daysFromCivil(year, month, day) + kEpochToZeroDays;
    const DateTime value = fromDaysAndSeconds(days, hour * 3600 + minute * 60 + second);
    return value.isValid() ? value : DateTime();
}

bool DateTime::setFields(int year, int month, int day, int hour, int minute, int second) {
    *this = fromFields(year, month, day, hour, minute, second);
    return isValid();
}

DateTime DateTime::fromSeconds(int64_t secondsSince1970) {
    return secondsSince1970 < 0 ? DateTime() : localFieldsAt(secondsSince1970);
}

bool DateTime::mayBeInRange(int64_t secondsSince1970) {
    // Two days either side cover every offset from UTC a zone may have.
    constexpr int64_t kMargin = 2 * kSecondsPerDay;
    constexpr auto kFirst = static_cast<int64_t>(kMinValue - kEpochToZeroDays) * kSecondsPerDay;
    constexpr auto kLast = static_cast<int64_t>(kMaxValue - kEpochToZeroDays) * kSecondsPerDay;
    return secondsSince1970 >= kFirst - kMargin && secondsSince1970 <= kLast + kMargin;
}

DateTime DateTime::localFieldsAt(int64_t secondsSince1970) {
    // Far beyond the range the C library's year would overflow the calendar fields.
    if (!mayBeInRange(secondsSince1970)) return DateTime();
    const auto t = static_cast<std::time_t>(secondsSince1970);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return DateTime();
    // tm_sec may be 60 on a leap second; fold it into 59 as the calendar fields allow.
    return fromFields(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, std::min(local.tm_sec, 59));
}

int64_t DateTime::toSeconds() const {
    // The C library's mktime answers a repeated hour by what it converted before; the
    // converter answers it the same way every time.
    return SecondsConverter(SecondsConverter::Memory::None).toSeconds(*this);
}

DateTime DateTime::fromLocalSeconds(int64_t localSeconds) {
    // Beyond these the value is far outside the valid range anyway.
    constexpr int64_t kLimit = int64_t{1} << 50;
    if (localSeconds < -kLimit || localSeconds > kLimit) return DateTime();
    int64_t days = localSeconds / kSecondsPerDay;
    int64_t second = localSeconds % kSecondsPerDay;
    if (second < 0) {
        second += kSecondsPerDay;
        --days;
    }
    const DateTime value = fromDaysAndSeconds(days + kEpochToZeroDays, second);
    return value.isValid() ? value : DateTime();
}

DateTime::DayAndSecond DateTime::dayAndSecond() const {
    // The whole part names the day in both directions; the fraction is the time of day.
    int64_t day = static_cast<int64_t>(std::trunc(value_));
    int64_t second = std::llround(std::fabs(value_ - double(day)) * kSecondsPerDay);
    if (second >= kSecondsPerDay) {
        second -= kSecondsPerDay;
        ++day;
    }
    return {day, second};
}

std::optional<int64_t> DateTime::localSeconds() const {
    if (!isValid()) return std::nullopt;
    const auto [days, seconds] = dayAndSecond();
    return (days - kEpochToZeroDays) * kSecondsPerDay + seconds;
}

std::optional<CalendarFields> DateTime::fields() const {
    if (!isValid()) return std::nullopt;
    const auto [days, seconds] = dayAndSecond();
    const CivilDate date = civilFromDays(days - kEpochToZeroDays);
    CalendarFields f;
    f.year = date.year;
    f.month = date.month;
    f.day = date.day;
    f.hour = static_cast<int>(seconds / 3600);
    f.minute = static_cast<int>(seconds / 60 % 60);
    f.second = static_cast<int>(seconds % 60);
    // 30 December 1899 was a Saturday.
    f.dayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
    return f;
}

namespace {

int fieldOf(const DateTime& value, int CalendarFields::*member) {
    const auto f = value.fields();
    return f ? (*f).*member : DateTime::kBadField;
}

}  // namespace

int DateTime::year() const {
    return fieldOf(*this, &CalendarFields::year);
}
int DateTime::month() const {
    return fieldOf(*this, &CalendarFields::month);
}
int DateTime::day() const {
    return fieldOf(*this, &CalendarFields::day);
}
int DateTime::hour() const {
    return fieldOf(*this, &CalendarFields::hour);
}
int DateTime::minute() const {
    return fieldOf(*this, &CalendarFields::minute);
}
int DateTime::second() const {
    return fieldOf(*this, &CalendarFields::second);
}
int DateTime::dayOfWeek() const {
    return fieldOf(*this, &CalendarFields::dayOfWeek);
}

int DateTime::dayOfYear() const {
    const auto f = fields();
    if (!f) return kBadField;
    return static_cast<int>(daysFromCivil(f->year, f->month, f->day) -
                            daysFromCivil(f->year, 1, 1)) +
           1;
}

DateTime DateTime::date() const {
    const auto f = fields();
    return f ? fromFields(f->year, f->month, f->day) : DateTime();
}

double DateTime::continuous() const {
    if (value_ >= 0) return value_;
    const double c = std::ceil(value_);
    return c - (value_ - c);
}

DateTime DateTime::fromContinuous(double continuous) {
    if (continuous >= 0) return DateTime(continuous);
    const double f0 = std::floor(continuous);
    return DateTime(f0 + (f0 - continuous));
}

DateTime DateTime::operator+(DateTimeSpan span) const {
    if (!isValid() || !span.isValid()) return DateTime();
    // Sums are kept to whole seconds, like every value the program makes, so that
    // 23:30 plus an hour equals 00:30 of the next day exactly.
    const auto seconds = std::llround((continuous() + span.days()) * kSecondsPerDay);
    const int64_t days = seconds >= 0 ? seconds / kSecondsPerDay
                                      : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    const DateTime result = fromDaysAndSeconds(days, seconds - days * kSecondsPerDay);
    return result.isValid() ? result : DateTime();
}

DateTimeSpan DateTime::operator-(const DateTime& other) const {
    return DateTimeSpan(continuous() - other.continuous());
}

std::string DateTime::formatDate(const Locale& locale, DateStyle style) const {
    return formatDate(
        locale, style == DateStyle::Long ? locale.longDatePicture() : locale.shortDatePicture());
}

std::string DateTime::formatDate(const Locale& locale, std::string_view picture) const {
    const auto f = fields();
    return f ? truncated(formatDatePicture(*f, picture, locale), kMaxFormattedDate) : "";
}

std::string DateTime::formatTime(const Locale& locale, TimeStyle style) const {
    return formatTime(
        locale, style == TimeStyle::NoSeconds ? locale.shortTimePicture() : locale.timePicture());
}

std::string DateTime::formatTime(const Locale& locale, std::string_view picture) const {
    const auto f = fields();
    return f ? truncated(formatTimePicture(*f, picture, locale), kMaxFormattedDate) : "";
}

std::string DateTime::format(const char* strftimePattern) const {
    const auto f = fields();
    if (!f) return "";
    std::tm tm{};
    tm.tm_year = f->year - 1900;
    tm.tm_mon = f->month - 1;
    tm.tm_mday = f->day;
    tm.tm_hour = f->hour;
    tm.tm_min = f->minute;
    tm.tm_sec = f->second;
    tm.tm_wday = f->dayOfWeek - 1;
    tm.tm_yday = dayOfYear() - 1;
    tm.tm_isdst = -1;
    char buffer[kMaxStrftime + 1];
    const size_t n = std::strftime(buffer, sizeof buffer, strftimePattern, &tm);
    return std::string(buffer, n);
}

int DateTimeSpan::minutes() const {
    // Whole seconds first, so that 1:45 made of doubles reads 45, not 44.
    const auto seconds = std::llround(days_ * kSecondsPerDay);
    return static_cast<int>(seconds % 3600 / 60);
}
