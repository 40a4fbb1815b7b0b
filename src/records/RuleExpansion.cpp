#include "records/RuleExpansion.h"

#include "records/CivilDays.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

using civil::daysFromCivil;
using civil::floorDiv;
using civil::isLeap;

constexpr int64_t kDay = 86400;

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = floorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

// 0 Monday to 6 Sunday; 1970-01-01 was a Thursday.
int weekdayOf(int64_t day) {
    return int(floorDiv(day + 3, 7) * -7 + day + 3);
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int monthLength(int y, int m) {
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kLengths[m - 1];
}

bool contains(const std::vector<int>& items, int value) {
    return std::find(items.begin(), items.end(), value) != items.end();
}

// A value of a list that may count from the end: 1 the first, -1 the last of `length`.
bool holdsPosition(const std::vector<int>& items, int position, int length) {
    return contains(items, position) || contains(items, position - length - 1);
}

// The first day of week 1 of a year: the week (from `weekStart`) holding at least four of
// the year's days.
int64_t firstWeekOf(int year, int weekStart) {
    const int64_t jan1 = daysFromCivil(year, 1, 1);
    const int into = (weekdayOf(jan1) - weekStart + 7) % 7;
    return into <= 3 ? jan1 - into : jan1 + (7 - into);
}

constexpr int kLastYear = 9999;

}  // namespace

struct RuleExpansion::Day {
    int64_t number;
    int year, month, day, weekday;
};

RuleExpansion::RuleExpansion(const RecurrenceRule& rule, int64_t first)
    : rule_(rule), first_(first), firstDay_(floorDiv(first, kDay)) {
    if (rule_.interval < 1) rule_.interval = 1;
    int day = 1;
    civilFromDays(firstDay_, firstYear_, firstMonth_, day);
    const int weekday = weekdayOf(firstDay_);
    if (rule_.byWeekNo.empty() && rule_.byYearDay.empty() && rule_.byMonthDay.empty() &&
        rule_.byDay.empty()) {
        switch (rule_.frequency) {
            case Frequency::Yearly:
                if (rule_.byMonth.empty()) rule_.byMonth = {firstMonth_};
                rule_.byMonthDay = {day};
                break;
            case Frequency::Monthly:
                rule_.byMonthDay = {day};
                break;
            case Frequency::Weekly:
                rule_.byDay = {WeekdayNum{0, weekday}};
                break;
            default:
                break;
        }
    }
    const int64_t second = first - firstDay_ * kDay;
    const auto timeList = [&](const std::vector<int>& given, Frequency unit, int own) {
        std::vector<int> list;
        if (rule_.frequency > unit) list = given.empty() ? std::vector<int>{own} : given;
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        return list;
    };
    hours_ = timeList(rule_.byHour, Frequency::Hourly, int(second / 3600));
    minutes_ = timeList(rule_.byMinute, Frequency::Minutely, int(second / 60 % 60));
    seconds_ = timeList(rule_.bySecond, Frequency::Secondly, int(second % 60));
    firstWeekStart_ = firstDay_ - (weekday - rule_.weekStart + 7) % 7;
}

bool RuleExpansion::dayMatches(const Day& d) const {
    const RecurrenceRule& r = rule_;
    if (!r.byMonth.empty() && !contains(r.byMonth, d.month)) return false;
    const int monthDays = monthLength(d.year, d.month);
    if (!r.byMonthDay.empty() && !holdsPosition(r.byMonthDay, d.day, monthDays)) return false;
    const int yearDays = isLeap(d.year) ? 366 : 365;
    const int yearDay = int(d.number - daysFromCivil(d.year, 1, 1)) + 1;
    if (!r.byYearDay.empty() && !holdsPosition(r.byYearDay, yearDay, yearDays)) return false;
    if (!r.byWeekNo.empty() && r.frequency == Frequency::Yearly) {
        int weekYear = d.year;
        int64_t start = firstWeekOf(weekYear, r.weekStart);
        if (d.number < start)
            start = firstWeekOf(--weekYear, r.weekStart);
        else if (d.number >= firstWeekOf(weekYear + 1, r.weekStart))
            start = firstWeekOf(++weekYear, r.weekStart);
        const int weeks = int((firstWeekOf(weekYear + 1, r.weekStart) - start) / 7);
        if (!holdsPosition(r.byWeekNo, int((d.number - start) / 7) + 1, weeks)) return false;
    }
    if (r.byDay.empty()) return true;
    // An nth weekday counts within the month, or within the year when the rule is yearly
    // and names no month; other frequencies take every such weekday.
    const bool ordinals = r.frequency == Frequency::Monthly || r.frequency == Frequency::Yearly;
    const bool inMonth = r.frequency == Frequency::Monthly || !r.byMonth.empty();
    const int position = inMonth ? (d.day - 1) / 7 + 1 : (yearDay - 1) / 7 + 1;
    const int fromEnd = inMonth ? -((monthDays - d.day) / 7 + 1) : -((yearDays - yearDay) / 7 + 1);
    for (const WeekdayNum& w : r.byDay) {
        if (w.weekday != d.weekday) continue;
        if (w.ordinal == 0 || !ordinals || w.ordinal == position || w.ordinal == fromEnd)
            return true;
    }
    return false;
}

int64_t RuleExpansion::periodOf(int64_t t) const {
    const int64_t day = floorDiv(t, kDay);
    const int64_t interval = rule_.interval;
    int y = 0, m = 0, d = 0;
    switch (rule_.frequency) {
        case Frequency::Yearly:
            civilFromDays(day, y, m, d);
            return floorDiv(y - firstYear_, interval);
        case Frequency::Monthly:
            civilFromDays(day, y, m, d);
            return floorDiv((int64_t(y) * 12 + m) - (int64_t(firstYear_) * 12 + firstMonth_),
                            interval);
        case Frequency::Weekly:
            return floorDiv(day - firstWeekStart_, 7 * interval);
        case Frequency::Daily:
            return floorDiv(day - firstDay_, interval);
        case Frequency::Hourly:
            return floorDiv(floorDiv(t, 3600) - floorDiv(first_, 3600), interval);
        case Frequency::Minutely:
            return floorDiv(floorDiv(t, 60) - floorDiv(first_, 60), interval);
        case Frequency::Secondly:
            break;
    }
    return floorDiv(t - first_, interval);
}

void RuleExpansion::periodStarts(int64_t k, std::vector<int64_t>& out) const {
    out.clear();
    const int64_t step = k * rule_.interval;
    int64_t firstDay = 0, endDay = 0;
    // For frequencies finer than a day: the one hour, minute or second of the period.
    int hour = -1, minute = -1, second = -1;
    switch (rule_.frequency) {
        case Frequency::Yearly: {
            const int64_t year = firstYear_ + step;
            if (year > kLastYear) return;
            firstDay = daysFromCivil(year, 1, 1);
            endDay = daysFromCivil(year + 1, 1, 1);
            break;
        }
        case Frequency::Monthly: {
            const int64_t month = int64_t(firstYear_) * 12 + (firstMonth_ - 1) + step;
            if (month / 12 > kLastYear) return;
            firstDay = daysFromCivil(month / 12, int(month % 12) + 1, 1);
            endDay = firstDay + monthLength(int(month / 12), int(month % 12) + 1);
            break;
        }
        case Frequency::Weekly:
            firstDay = firstWeekStart_ + 7 * step;
            endDay = firstDay + 7;
            break;
        case Frequency::Daily:
            firstDay = firstDay_ + step;
            endDay = firstDay + 1;
            break;
        default: {
            const int64_t unit = rule_.frequency == Frequency::Hourly     ? 3600
                                 : rule_.frequency == Frequency::Minutely ? 60
                                                                          : 1;
            const int64_t at = floorDiv(first_, unit) * unit + step * unit;
            firstDay = floorDiv(at, kDay);
            endDay = firstDay + 1;
            const int64_t into = at - firstDay * kDay;
            hour = int(into / 3600);
            if (unit <= 60) minute = int(into / 60 % 60);
            if (unit == 1) second = int(into % 60);
            if ((!rule_.byHour.empty() && !contains(rule_.byHour, hour)) ||
                (minute >= 0 && !rule_.byMinute.empty() && !contains(rule_.byMinute, minute)) ||
                (second >= 0 && !rule_.bySecond.empty() && !contains(rule_.bySecond, second)))
                return;
            break;
        }
    }
    const std::vector<int> oneHour{hour}, oneMinute{minute}, oneSecond{second};
    const std::vector<int>& hours = hour >= 0 ? oneHour : hours_;
    const std::vector<int>& minutes = minute >= 0 ? oneMinute : minutes_;
    const std::vector<int>& seconds = second >= 0 ? oneSecond : seconds_;
    const auto addDay = [&](int64_t number) {
        for (const int h : hours)
            for (const int m : minutes)
                for (const int s : seconds)
                    out.push_back(number * kDay + h * 3600 + m * 60 + s);
    };
    // The usual monthly and yearly rules name days of the month alone: those days are
    // made directly, not found among all the days of the period.
    const bool monthDaysOnly =
        !rule_.byMonthDay.empty() && rule_.byDay.empty() && rule_.byYearDay.empty() &&
        rule_.byWeekNo.empty() &&
        (rule_.frequency == Frequency::Monthly || rule_.frequency == Frequency::Yearly);
    for (int64_t number = firstDay; number < endDay;) {
        Day d{number, 0, 0, 0, weekdayOf(number)};
        civilFromDays(number, d.year, d.month, d.day);
        if (monthDaysOnly) {
            const int length = monthLength(d.year, d.month);
            if (rule_.byMonth.empty() || contains(rule_.byMonth, d.month)) {
                std::vector<int> days;
                for (const int v : rule_.byMonthDay) {
                    const int dayOfMonth = v > 0 ? v : length + 1 + v;
                    if (dayOfMonth >= 1 && dayOfMonth <= length) days.push_back(dayOfMonth);
                }
                std::sort(days.begin(), days.end());
                days.erase(std::unique(days.begin(), days.end()), days.end());
                for (const int dayOfMonth : days)
                    addDay(number + dayOfMonth - 1);
            }
            number += length;
            continue;
        }
        if (dayMatches(d)) addDay(number);
        ++number;
    }
    if (rule_.bySetPos.empty() || out.empty()) return;
    std::vector<int64_t> picked;
    const int n = int(out.size());
    for (const int position : rule_.bySetPos) {
        const int index = position > 0 ? position - 1 : n + position;
        if (index >= 0 && index < n) picked.push_back(out[size_t(index)]);
    }
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    out = std::move(picked);
}

std::vector<int64_t> RuleExpansion::starts(int64_t from, int64_t to, int64_t until, size_t limit,
                                           ExpansionBudget& budget) const {
    std::vector<int64_t> result;
    if (until != INT64_MAX) to = std::min(to, until + 1);
    from = std::max(from, first_);
    if (from >= to || limit == 0 || neverMeets()) return result;
    std::vector<int64_t> period;
    const int64_t lastPeriod = periodOf(to - 1);
    for (int64_t k = std::max<int64_t>(0, periodOf(from)); k <= lastPeriod; ++k) {
        if (!budget.take()) break;
        periodStarts(k, period);
        for (const int64_t t : period) {
            if (t < from || t >= to) continue;
            result.push_back(t);
            if (result.size() == limit) return result;
        }
    }
    return result;
}

int64_t RuleExpansion::lastStart(int64_t until, ExpansionBudget& budget) const {
    if (rule_.count <= 0) return INT64_MAX;
    if (neverMeets()) return INT64_MIN;
    int64_t last = INT64_MIN;
    int made = 0;
    std::vector<int64_t> period;
    const int64_t end = std::min(until, daysFromCivil(kLastYear + 1, 1, 1) * kDay - 1);
    // The first start is the first occurrence even where the rule would not make it.
    periodStarts(0, period);
    if (first_ <= end && std::find(period.begin(), period.end(), first_) == period.end()) {
        last = first_;
        if (++made == rule_.count) return last;
    }
    const int64_t lastPeriod = periodOf(end);
    for (int64_t k = 0; k <= lastPeriod; ++k) {
        if (!budget.take()) break;
        periodStarts(k, period);
        for (const int64_t t : period) {
            if (t < first_) continue;
            if (t > end) return last;
            last = t;
            if (++made == rule_.count) return last;
        }
    }
    return last;
}

bool RuleExpansion::neverMeets() const {
    const RecurrenceRule& r = rule_;
    const bool ordinals = r.frequency == Frequency::Monthly || r.frequency == Frequency::Yearly;
    const bool inMonth = r.frequency == Frequency::Monthly || !r.byMonth.empty();
    if (ordinals && !r.byDay.empty() &&
        std::all_of(r.byDay.begin(), r.byDay.end(),
                    [&](const WeekdayNum& w) { return std::abs(w.ordinal) > (inMonth ? 5 : 53); }))
        return true;
    if (r.byMonthDay.empty()) return false;
    static constexpr int kLongest[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (const int v : r.byMonthDay) {
        for (int month = 1; month <= 12; ++month) {
            if ((r.byMonth.empty() || contains(r.byMonth, month)) &&
                std::abs(v) <= kLongest[month - 1])
                return false;
        }
    }
    return true;
}
