#include "exchange/RecurrenceExpansion.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

#include "exchange/CalendarTime.h"

namespace {

constexpr int64_t kDay = 86400;

struct IteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};

int64_t unitSeconds(icalrecurrencetype_frequency frequency) {
    switch (frequency) {
        case ICAL_SECONDLY_RECURRENCE:
            return 1;
        case ICAL_MINUTELY_RECURRENCE:
            return 60;
        case ICAL_HOURLY_RECURRENCE:
            return 3600;
        case ICAL_DAILY_RECURRENCE:
            return kDay;
        case ICAL_WEEKLY_RECURRENCE:
            return 7 * kDay;
        case ICAL_MONTHLY_RECURRENCE:
            return 28 * kDay;
        default:
            return 365 * kDay;
    }
}

// `limit` as an UNTIL of the form the rule's DTSTART has, so that libical compares like
// with like.
icaltimetype untilOfForm(icaltimetype start, DateTime limit) {
    if (start.is_date) return icalDateOf(limit);
    if (start.zone == nullptr && !icaltime_is_utc(start)) return floatingTimeOf(limit);
    return icalTimeOf(limit);
}

// `day`, a local date, in the form of `start`: a date, floating, UTC or in its zone. Every
// form of it lies within a day and a half of the local one.
icaltimetype ofForm(icaltimetype start, DateTime day) {
    if (start.is_date) return icalDateOf(day);
    icaltimetype time = floatingTimeOf(day);
    time.zone = icaltime_is_utc(start) ? icaltimezone_get_utc_timezone() : start.zone;
    return time;
}

// A rule whose parts can never meet (the 41st Sunday, 30 February): libical searches
// centuries for its first date before it gives up, so it is known to have none here.
bool neverMatches(const icalrecurrencetype& rule) {
    // The nth weekday counts within the month, or within the year when no month is named.
    const bool inMonth =
        rule.freq == ICAL_MONTHLY_RECURRENCE || rule.by_month[0] != ICAL_RECURRENCE_ARRAY_MAX;
    const int mostWeeks = inMonth ? 5 : 53;
    const bool ordinalsCount =
        rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE;
    for (int i = 0;
         ordinalsCount && i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX;
         ++i) {
        if (std::abs(icalrecurrencetype_day_position(rule.by_day[i])) > mostWeeks) return true;
    }
    if (rule.by_month_day[0] == ICAL_RECURRENCE_ARRAY_MAX) return false;
    static constexpr int kLongest[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::vector<int> months;
    for (int i = 0; i < ICAL_BY_MONTH_SIZE && rule.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        months.push_back(icalrecurrencetype_month_month(rule.by_month[i]));
    if (months.empty()) months = {1};  // every month: January is among the longest
    for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE && rule.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX;
         ++i) {
        for (const int month : months) {
            if (month >= 1 && month <= 12 && std::abs(rule.by_month_day[i]) <= kLongest[month - 1])
                return false;
        }
    }
    return true;
}

}  // namespace

bool RecurrenceBudget::take(int64_t units) {
    if (units > kPerRule || units > left_) return false;
    left_ -= units;
    return true;
}

bool RecurrenceBudget::takeDate(bool occurrence) {
    if (eventDates_ >= kDatesPerEvent || datesLeft_ <= 0) return false;
    if (occurrence && (eventOccurrences_ >= kOccurrencesPerEvent || occurrencesLeft_ <= 0))
        return false;
    ++eventDates_;
    --datesLeft_;
    if (occurrence) {
        ++eventOccurrences_;
        --occurrencesLeft_;
    }
    return true;
}

bool isRecurring(icalcomponent* event) {
    return icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) != nullptr ||
           icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr;
}

Occurrences expandOccurrences(icalcomponent* event, icalcomponent* calendar, DateTime from,
                              DateTime to, const std::vector<DateTime>& replaced,
                              RecurrenceBudget& budget) {
    Occurrences result;
    const icaltimetype start = startOf(event, calendar);
    const DateTime startLocal = localTimeOf(start);
    // A day of margin: the window is local time, the rule's own time may be any zone's.
    const DateTime limit = to + DateTimeSpan(1.0);
    std::vector<icaltimetype> candidates = {start};
    budget.startEvent();
    const DateTime earliest = (from - DateTimeSpan(2.0)).date();
    const auto beforeEarliest = [&](const icaltimetype& t) {
        return std::tuple(t.year, t.month, t.day) <
               std::tuple(earliest.year(), earliest.month(), earliest.day());
    };

    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        icalrecurrencetype rule = icalproperty_get_rrule(p);
        if (rule.freq == ICAL_NO_RECURRENCE || neverMatches(rule)) continue;
        // COUNT and UNTIL may not stand together: COUNT is counted here, so that UNTIL can
        // always end the search at the window.
        const int count = rule.count;
        rule.count = 0;
        // An UNTIL past what local time can hold (year 9999, as some programs write for
        // "forever") is past the window too.
        const icaltimetype until = rule.until;
        if (icaltime_is_null_time(until) || until.year > limit.year() || localTimeOf(until) > limit)
            rule.until = untilOfForm(start, limit);
        // A rule without COUNT and of whole days or longer starts at the window, so that
        // the years before it cost nothing; libical counts steps of hours or less from the
        // wrong time when started late, so those still run from DTSTART.
        const bool startsAtWindow = count <= 0 && rule.freq >= ICAL_DAILY_RECURRENCE &&
                                    rule.freq <= ICAL_YEARLY_RECURRENCE && startLocal < earliest;
        const DateTime first = startsAtWindow ? earliest : startLocal;
        const double seconds = (limit - first).days() * double(kDay);
        const int64_t units =
            seconds <= 0 ? 0 : int64_t(seconds / double(unitSeconds(rule.freq))) + 1;
        if (!budget.take(units)) {
            result.failure = _("repeats too often to expand");
            return result;
        }
        const std::unique_ptr<icalrecur_iterator, IteratorFree> iterator(
            icalrecur_iterator_new(rule, start));
        if (!iterator) continue;  // a rule with no dates at all
        if (startsAtWindow)
            (void)icalrecur_iterator_set_start(iterator.get(), ofForm(start, earliest));
        for (int n = 0; count <= 0 || n < count; ++n) {
            const icaltimetype next = icalrecur_iterator_next(iterator.get());
            if (icaltime_is_null_time(next)) break;
            // Most dates before the window are told by their fields, without the cost of
            // a conversion to local time: no zone is a day and a half from local time.
            const DateTime local = beforeEarliest(next) ? DateTime() : localTimeOf(next);
            const bool inWindow = local >= from && local < to;
            if (!budget.takeDate(inWindow)) {
                result.failure = _("repeats into more dates than can be expanded");
                return result;
            }
            if (inWindow) candidates.push_back(next);
        }
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype date = icalproperty_get_rdate(p);
        const icaltimetype time = icaltime_is_null_time(date.time) ? date.period.start : date.time;
        if (!icaltime_is_null_time(time)) candidates.push_back(withPropertyZone(time, p, calendar));
    }

    std::vector<DateTime> excluded = replaced;
    std::vector<DateTime> excludedDays;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
        const icaltimetype time = withPropertyZone(icalproperty_get_exdate(p), p, calendar);
        (time.is_date && !start.is_date ? excludedDays : excluded).push_back(localTimeOf(time));
    }

    std::vector<std::pair<DateTime, icaltimetype>> kept;
    for (const icaltimetype& time : candidates) {
        const DateTime local = localTimeOf(time);
        if (!local.isValid() || local < from || local >= to) continue;
        if (std::find(excluded.begin(), excluded.end(), local) != excluded.end()) continue;
        if (std::find(excludedDays.begin(), excludedDays.end(), local.date()) != excludedDays.end())
            continue;
        kept.emplace_back(local, time);
    }
    std::sort(kept.begin(), kept.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    kept.erase(std::unique(kept.begin(), kept.end(),
                           [](const auto& a, const auto& b) { return a.first == b.first; }),
               kept.end());
    for (const auto& [local, time] : kept)
        result.starts.push_back(time);
    return result;
}
