#include "records/Occurrences.h"

#include <algorithm>
#include <climits>

#include "records/ZoneRules.h"

namespace {

constexpr int64_t kDay = 86400;

// The answer when there is no occurrence: a null start.
Occurrence none(const Appointment& appointment) {
    Occurrence o;
    o.appointment = &appointment;
    return o;
}

int64_t wallSeconds(DateTime value) {
    return value.localSeconds().value_or(0);
}

// The wall clock of a series: local time, or the time of its zone.
class SeriesClock {
public:
    explicit SeriesClock(const Schedule& schedule)
        : zone_(schedule.zone.empty() || schedule.allDay ? nullptr
                                                         : ZoneRules::named(schedule.zone)) {}

    [[nodiscard]] bool zoned() const { return zone_ != nullptr; }
    // The local time of a wall time of the series.
    [[nodiscard]] DateTime local(int64_t wall) const {
        return zone_ ? DateTime::localFieldsAt(zone_->instantOf(wall))
                     : DateTime::fromLocalSeconds(wall);
    }
    // The wall time of the series at a local time.
    [[nodiscard]] int64_t wall(DateTime local) const {
        if (!zone_) return wallSeconds(local);
        const int64_t instant = local.toSeconds();
        return instant < 0 ? wallSeconds(local) : instant + zone_->offsetAt(instant);
    }
    // The wall time of the series at an instant.
    [[nodiscard]] int64_t wallAt(int64_t instant) const {
        if (zone_) return instant + zone_->offsetAt(instant);
        return wallSeconds(DateTime::localFieldsAt(instant));
    }
    // How far a local range must widen to hold every wall time of the series in it.
    [[nodiscard]] int64_t margin() const { return zone_ ? 2 * kDay : 0; }
    [[nodiscard]] const ZoneRules* zone() const { return zone_; }

private:
    const ZoneRules* zone_;
};

// What every occurrence of an appointment shares.
struct Shape {
    const Appointment& appointment;
    const Schedule& schedule;
    SeriesClock clock;
    int64_t first;     // the first start, in wall seconds
    int64_t duration;  // seconds from start to end (whole days for an all-day one)
    int64_t until;     // the last start the rule may make, wall seconds; INT64_MAX for none

    explicit Shape(const Appointment& a)
        : appointment(a), schedule(a.schedule.get()), clock(schedule) {
        const DateTime day = a.DueDate.date();
        const DateTime lastDay = schedule.lastDay.isNull() ? day : schedule.lastDay.date();
        if (schedule.allDay) {
            first = wallSeconds(day);
            duration = std::max<int64_t>(1, int64_t((lastDay - day).days() + 1.5)) * kDay;
        } else {
            const int64_t startLocal = wallSeconds(a.firstStart());
            const int64_t endLocal = wallSeconds(a.firstEnd());
            duration = endLocal - startLocal;
            first = clock.zoned() ? clock.wall(DateTime::fromLocalSeconds(startLocal)) : startLocal;
        }
        until = INT64_MAX;
        if (const auto& rule = schedule.rule; rule && !rule->until.isNull()) {
            until = rule->untilIsUtc ? clock.wallAt(rule->until.localSeconds().value_or(0))
                                     : wallSeconds(rule->until);
            if (rule->untilIsDate) until = until - until % kDay + kDay - 1;
        }
    }

    // Whether a removed midnight stands for the whole day, as a removed date does: in a
    // series that starts at another time of day.
    [[nodiscard]] bool datesTakeDays() const { return !schedule.allDay && first % kDay != 0; }

    // Whether a start was taken out.
    [[nodiscard]] bool isRemoved(int64_t key) const {
        const bool wholeDays = datesTakeDays();
        for (const DateTime removed : schedule.removed) {
            const int64_t r = wallSeconds(removed);
            if (r == key || (wholeDays && r % kDay == 0 && r == key - key % kDay)) return true;
        }
        return false;
    }

    [[nodiscard]] const ChangedOccurrence* changeOf(int64_t key) const {
        for (const ChangedOccurrence& change : schedule.changed) {
            if (wallSeconds(change.replaces) == key) return &change;
        }
        return nullptr;
    }

    [[nodiscard]] Occurrence make(int64_t key, const ChangedOccurrence* change) const {
        Occurrence o;
        o.appointment = &appointment;
        o.change = change;
        if (appointment.repeats()) o.key = DateTime::fromLocalSeconds(key);
        const int64_t start = change ? wallSeconds(change->start) : key;
        const int64_t end = change ? wallSeconds(change->end) : key + duration;
        o.start = clock.local(start);
        o.end = clock.local(end);
        return o;
    }

    // The last start the rule makes, counted rules worked out once.
    [[nodiscard]] int64_t ruleEnd(const RuleExpansion& expansion, ExpansionBudget& budget) const {
        if (!schedule.rule || schedule.rule->count <= 0) return until;
        Schedule::CountedEnd& cached = schedule.countedEnd;
        if (!cached.known || cached.first != first) {
            ExpansionBudget own;
            cached = {first, expansion.lastStart(until, own), true};
            budget.exhausted |= own.exhausted;
        }
        return cached.last;
    }

    // The keys whose starts lie in [from, to) of the wall clock, the first start and the
    // extra starts included, removed ones left out unless `withRemoved`, ascending.
    [[nodiscard]] std::vector<int64_t> keys(int64_t from, int64_t to, size_t limit,
                                            ExpansionBudget& budget,
                                            bool withRemoved = false) const {
        std::vector<int64_t> keys;
        if (schedule.rule) {
            const RuleExpansion expansion(*schedule.rule, first);
            const int64_t end = ruleEnd(expansion, budget);
            if (end != INT64_MIN) keys = expansion.starts(from, to, end, limit, budget);
            // A rule that ends before its first start makes no occurrence at all.
            if (until >= first && first >= from && first < to) keys.push_back(first);
        } else if (first >= from && first < to) {
            keys.push_back(first);
        }
        for (const DateTime added : schedule.added) {
            const int64_t t = wallSeconds(added);
            if (t >= from && t < to) keys.push_back(t);
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        if (!withRemoved) std::erase_if(keys, [&](int64_t key) { return isRemoved(key); });
        return keys;
    }

    // The occurrences `keep` takes of those starting in the local range [from, to) of
    // wall-clock seconds, widened by `reach` before.
    template <class Keep>
    [[nodiscard]] std::vector<Occurrence> between(int64_t from, int64_t to, int64_t reach,
                                                  size_t limit, ExpansionBudget& budget,
                                                  Keep keep) const {
        std::vector<Occurrence> found;
        const int64_t margin = clock.margin();
        const int64_t wallFrom = from - reach - margin;
        const int64_t wallTo = to + margin;
        const size_t keyLimit =
            limit == SIZE_MAX ? SIZE_MAX : limit + schedule.changed.size() + 2 * (margin > 0);
        for (const int64_t key : keys(wallFrom, wallTo, keyLimit, budget)) {
            if (changeOf(key)) continue;
            Occurrence o = make(key, nullptr);
            if (keep(o)) found.push_back(o);
        }
        for (const ChangedOccurrence& change : schedule.changed) {
            const int64_t key = wallSeconds(change.replaces);
            if (isRemoved(key)) continue;
            Occurrence o = make(key, &change);
            if (keep(o)) found.push_back(o);
        }
        std::stable_sort(found.begin(), found.end(), [](const Occurrence& a, const Occurrence& b) {
            return a.start < b.start;
        });
        if (found.size() > limit) found.resize(limit);
        return found;
    }
};

}  // namespace

const std::string& Occurrence::description() const {
    return change ? change->description : appointment->Description;
}

bool Occurrence::alarm() const {
    return change ? change->alarm : appointment->Alarm;
}

DateTime Occurrence::alarmTime() const {
    if (change) return start - DateTimeSpan(change->alarmMinutes / 1440.0);
    if (!appointment->repeats()) return appointment->AlarmTime;
    // Each occurrence rings as long before its start as the first one does.
    const Appointment& a = *appointment;
    return start - (a.firstStart() - a.AlarmTime);
}

DateTime Occurrence::lastDay() const {
    if (end <= start) return start.date();
    return (end - DateTimeSpan(1.0 / kDay)).date();
}

std::vector<Occurrence> occurrencesOnDays(const Appointment& appointment, DateTime first,
                                          DateTime last, ExpansionBudget& budget) {
    const Shape shape(appointment);
    const DateTime from = first.date();
    const DateTime to = last.date();
    const int64_t reach = std::max<int64_t>(0, shape.duration);
    return shape.between(
        wallSeconds(from), wallSeconds(to) + kDay, reach, SIZE_MAX, budget,
        [&](const Occurrence& o) { return o.firstDay() <= to && o.lastDay() >= from; });
}

std::vector<Occurrence> occurrencesOnDays(const Appointment& appointment, DateTime first,
                                          DateTime last) {
    ExpansionBudget budget;
    return occurrencesOnDays(appointment, first, last, budget);
}

std::vector<Occurrence> occurrencesStarting(const Appointment& appointment, DateTime from,
                                            DateTime to, ExpansionBudget& budget, size_t limit) {
    const Shape shape(appointment);
    return shape.between(wallSeconds(from), wallSeconds(to), 0, limit, budget,
                         [&](const Occurrence& o) { return o.start >= from && o.start < to; });
}

Occurrence nextOccurrence(const Appointment& appointment, DateTime from) {
    ExpansionBudget budget;
    const auto found =
        occurrencesStarting(appointment, from, DateTime(DateTime::kMaxValue), budget, 1);
    return found.empty() ? none(appointment) : found.front();
}

Occurrence occurrenceAt(const Appointment& appointment, DateTime key) {
    const Shape shape(appointment);
    const int64_t k = wallSeconds(key);
    // A changed occurrence is listed whether or not the rule makes its key (one from
    // another program may replace a start the rule no longer has): so it is found here.
    if (const ChangedOccurrence* change = shape.changeOf(k); change && !shape.isRemoved(k))
        return shape.make(k, change);
    ExpansionBudget budget;
    const auto keys = shape.keys(k, k + 1, 1, budget);
    if (keys.empty()) return none(appointment);
    return shape.make(k, shape.changeOf(k));
}

DaySpan coveredDays(const Appointment& appointment) {
    const Shape shape(appointment);
    const Schedule& s = shape.schedule;
    const Occurrence firstOne = shape.make(shape.first, nullptr);
    DaySpan span{firstOne.firstDay(), firstOne.lastDay()};
    const auto widen = [&](const Occurrence& o) {
        span.first = std::min(span.first, o.firstDay());
        if (!span.last.isNull()) span.last = std::max(span.last, o.lastDay());
    };
    for (const DateTime added : s.added)
        widen(shape.make(wallSeconds(added), nullptr));
    for (const ChangedOccurrence& change : s.changed)
        widen(shape.make(wallSeconds(change.replaces), &change));
    if (s.rule) {
        const RuleExpansion expansion(*s.rule, shape.first);
        ExpansionBudget budget;
        const int64_t end = shape.ruleEnd(expansion, budget);
        if (end == INT64_MAX || budget.exhausted) {
            span.last = DateTime();
        } else if (end != INT64_MIN) {
            // The last start is found within one period before the end; a period that
            // makes none there leaves the end itself as the bound.
            static constexpr int64_t kPeriod[] = {1,        60,        3600,      kDay,
                                                  7 * kDay, 31 * kDay, 366 * kDay};
            const int64_t period = kPeriod[int(s.rule->frequency)] * s.rule->interval;
            const auto last = expansion.starts(end - period, end + 1, end, SIZE_MAX, budget);
            widen(shape.make(last.empty() ? end : last.back(), nullptr));
        }
    }
    return span;
}

SeriesOutline seriesOutline(const Appointment& appointment) {
    const Shape shape(appointment);
    return {shape.first, shape.duration, shape.until, shape.clock.zone()};
}

DateTime seriesWallTime(const Appointment& appointment, DateTime local) {
    return DateTime::fromLocalSeconds(SeriesClock(appointment.schedule.get()).wall(local));
}

DateTime seriesLocalTime(const Appointment& appointment, DateTime wall) {
    return SeriesClock(appointment.schedule.get()).local(wallSeconds(wall));
}

std::vector<int64_t> startsRemovedBy(const Appointment& appointment, DateTime removed) {
    const Shape shape(appointment);
    const int64_t r = wallSeconds(removed);
    if (!shape.datesTakeDays() || r % kDay != 0) return {r};
    ExpansionBudget budget;
    return shape.keys(r, r + kDay, SIZE_MAX, budget, true);
}

Appointment standAlone(const Occurrence& occurrence) {
    Appointment single;
    single.ID = occurrence.id();
    single.Description = occurrence.description();
    single.DueDate = occurrence.firstDay();
    single.StartTime = occurrence.start;
    single.EndTime = occurrence.allDay()
                         ? occurrence.lastDay() + DateTimeSpan::fromParts(0, 23, 59, 0)
                         : occurrence.end;
    single.Alarm = occurrence.alarm();
    single.AlarmTime = single.Alarm ? occurrence.alarmTime() : occurrence.start;
    return single;
}

OccurrenceWindow flatteningWindow(DateTime today) {
    const auto yearsAway = [&](int years) {
        const DateTime moved =
            DateTime::fromFields(today.year() + years, today.month(), today.day());
        return moved.isValid() ? moved
                               : DateTime::fromFields(today.year() + years, today.month(), 28);
    };
    return {yearsAway(-1), yearsAway(2)};
}
