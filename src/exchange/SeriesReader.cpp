#include "exchange/SeriesReader.h"
#include "platform/Translate.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>

#include "exchange/CalendarTime.h"
#include "exchange/EventFields.h"
#include "exchange/RecordUids.h"
#include "exchange/SeriesWall.h"
#include "records/Occurrences.h"

namespace {

constexpr int64_t kDay = 86400;

int64_t secondsOf(DateTime wall) {
    return wall.localSeconds().value_or(0);
}

DateTime wallAtSeconds(int64_t seconds) {
    return DateTime::fromLocalSeconds(seconds);
}

bool isMidnight(int64_t wall) {
    return wall % kDay == 0;
}

// `day` at the time of day of `time`: a date that names a start of a timed series.
DateTime atTimeOf(DateTime day, DateTime time) {
    return wallAtSeconds(secondsOf(day.date()) + (secondsOf(time) % kDay + kDay) % kDay);
}

std::optional<RecurrenceRule> ruleOf(icalproperty* property) {
    icalrecurrencetype recurrence = icalproperty_get_rrule(property);
    // Freed also when the parse runs out of memory.
    const std::unique_ptr<char, void (*)(void*)> text(icalrecurrencetype_as_string_r(&recurrence),
                                                      icalmemory_free_buffer);
    if (text == nullptr) return std::nullopt;
    return RecurrenceRule::parse(text.get());
}

void sortUnique(std::vector<DateTime>& times) {
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
}

// How long before its start an alarm `offset` seconds from the start rings, in minutes.
int32_t minutesBefore(int64_t offset) {
    return static_cast<int32_t>(-offset / 60);
}

bool changesAllLater(icalproperty* id) {
    icalparameter* range = icalproperty_get_first_parameter(id, ICAL_RANGE_PARAMETER);
    return range != nullptr && icalparameter_get_range(range) == ICAL_RANGE_THISANDFUTURE;
}

// Takes out what the series can never show, as the export leaves it out: a removed day (of
// a timed series) holding no start, and the overrides of starts it also removes (an EXDATE
// and a RECURRENCE-ID of the same start), since the removal wins, as in the occurrences.
// Kept, either would make the item read back otherwise than it was written.
void dropUnseen(Appointment& appointment) {
    const Schedule& schedule = appointment.schedule.get();
    if (schedule.removed.empty()) return;
    std::vector<int64_t> removed;
    std::vector<DateTime> removing;
    for (const DateTime start : schedule.removed) {
        const auto starts = startsRemovedBy(appointment, start);
        if (!starts.empty()) removing.push_back(start);
        removed.insert(removed.end(), starts.begin(), starts.end());
    }
    std::sort(removed.begin(), removed.end());
    const auto isRemoved = [&](const ChangedOccurrence& change) {
        return std::binary_search(removed.begin(), removed.end(), secondsOf(change.replaces));
    };
    if (removing.size() == schedule.removed.size() &&
        !std::ranges::any_of(schedule.changed, isRemoved))
        return;
    Schedule& edited = appointment.schedule.edit();
    edited.removed = std::move(removing);
    std::erase_if(edited.changed, isRemoved);
}

// One series as it is read: its appointment, and what its occurrences are counted from.
struct Draft {
    Appointment appointment;
    int64_t first = 0;   // the first start, wall seconds
    int64_t length = 0;  // seconds from a start to its end

    [[nodiscard]] const Schedule& schedule() const { return appointment.schedule.get(); }
    Schedule& edit() { return appointment.schedule.edit(); }
};

// An override that changes an occurrence and all later ones, by the start it replaces.
struct Split {
    DateTime key;
    icalcomponent* event;
};

// Reads one recurring event and its overrides.
class EventSeries {
public:
    EventSeries(icalcomponent* event, icalcomponent* calendar, DateTime now,
                std::vector<SkippedRecord>& notes, ExpansionBudget& budget)
        : calendar_(calendar),
          now_(now),
          notes_(notes),
          budget_(budget),
          wall_(startOf(event, calendar), true) {}

    SeriesRead read(icalcomponent* event, size_t line, const std::vector<EventOverride>& overrides);

private:
    // The series an event (the series itself, or an override going on from one of its
    // starts) makes on its own, without rule or exceptions.
    Draft draftOf(icalcomponent* event, const std::string& fallbackDescription,
                  DateTime fallbackStart, int64_t fallbackLength);
    void readRule(icalcomponent* event, size_t line, Schedule& schedule);
    void readExtraStarts(icalcomponent* event, Draft& draft);
    void readRemoved(icalcomponent* event, Draft& draft);
    // Reads the overrides; those that go on to all later starts are returned.
    std::vector<Split> readOverrides(const std::vector<EventOverride>& overrides, Draft& draft);
    [[nodiscard]] bool isStart(const Draft& draft, DateTime wall);
    [[nodiscard]] DateTime startNamed(const icaltimetype& time, const Draft& draft);
    [[nodiscard]] ChangedOccurrence changeOf(icalcomponent* override, DateTime key,
                                             const Draft& draft);
    // The last start the rule may make, wall seconds, as the series' occurrences take it.
    [[nodiscard]] int64_t untilOf(const RecurrenceRule& rule) const;
    // The rest of `draft` from `key` on, as the override gives it; `draft` ends before.
    Draft splitAt(Draft& draft, const Split& split, DateTime key);

    icalcomponent* calendar_;
    DateTime now_;
    std::vector<SkippedRecord>& notes_;
    ExpansionBudget& budget_;
    const SeriesWall wall_;
    std::vector<ChangedOccurrence> changes_;  // of the series as the file gives it, by key
};

Draft EventSeries::draftOf(icalcomponent* event, const std::string& fallbackDescription,
                           DateTime fallbackStart, int64_t fallbackLength) {
    EventTimes times = timesOf(event, calendar_, wall_);
    if (!times.start.isValid())
        times = {fallbackStart, wallAtSeconds(secondsOf(fallbackStart) + fallbackLength)};
    std::string description = summaryText(icalcomponent_get_summary(event));
    if (description.empty()) description = fallbackDescription;
    return {appointmentAt(event, calendar_, times, wall_, description, now_),
            secondsOf(times.start), secondsFrom(times.start, times.end)};
}

void EventSeries::readRule(icalcomponent* event, size_t line, Schedule& schedule) {
    int rules = 0;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        if (++rules > 1) continue;
        schedule.rule = ruleOf(p);
        if (!schedule.rule)
            notes_.push_back({line, _("its repeat rule (RRULE) cannot be read; added once, as "
                                      "if it did not repeat")});
    }
    // A series moved to local time from UTC ends where its UTC end means in either reading.
    if (RecurrenceRule* rule = schedule.rule ? &*schedule.rule : nullptr;
        rule && rule->untilIsUtc) {
        const int64_t instant = secondsOf(rule->until);
        if (const DateTime bound = wall_.boundAt(instant); bound != wall_.wallAt(instant)) {
            rule->until = bound;
            rule->untilIsUtc = false;
        }
    }
    if (rules > 1)
        notes_.push_back(
            {line, _("it has more than one repeat rule (RRULE); only the first is kept")});
}

void EventSeries::readExtraStarts(icalcomponent* event, Draft& draft) {
    Schedule& schedule = draft.edit();
    const Appointment& a = draft.appointment;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
        if (!icaltime_is_null_time(value.time)) {
            const icaltimetype time = withPropertyZone(value.time, p, calendar_);
            DateTime start = wall_.wallOf(time);
            if (time.is_date && !wall_.allDay())
                start = atTimeOf(start, wallAtSeconds(draft.first));
            if (start.isValid()) schedule.added.push_back(start);
            continue;
        }
        const DateTime start = wall_.wallOf(withPropertyZone(value.period.start, p, calendar_));
        if (!start.isValid()) continue;
        schedule.added.push_back(start);
        DateTime end = wall_.wallOf(withPropertyZone(value.period.end, p, calendar_));
        if (icaltime_is_null_time(value.period.end))
            end = wallAtSeconds(secondsOf(start) + icaldurationtype_as_int(value.period.duration));
        // A period of the series' own length needs no change of its own.
        if (wall_.allDay() || !end.isValid() || end < start ||
            secondsFrom(start, end) == draft.length)
            continue;
        changes_.push_back({start, start, end, a.Description, a.Alarm,
                            minutesBefore(secondsFrom(a.StartTime, a.AlarmTime))});
    }
    sortUnique(schedule.added);
}

bool EventSeries::isStart(const Draft& draft, DateTime wall) {
    const Schedule& schedule = draft.schedule();
    const int64_t t = secondsOf(wall);
    if (t == draft.first || std::binary_search(schedule.added.begin(), schedule.added.end(), wall))
        return true;
    return schedule.rule && !RuleExpansion(*schedule.rule, draft.first)
                                 .starts(t, t + 1, INT64_MAX, 1, budget_)
                                 .empty();
}

DateTime EventSeries::startNamed(const icaltimetype& time, const Draft& draft) {
    // A date names the day of a start of a timed series.
    if (time.is_date && !wall_.allDay())
        return atTimeOf(writtenTimeOf(time), wallAtSeconds(draft.first));
    return wall_.startOf(time, [&](DateTime wall) { return isStart(draft, wall); });
}

void EventSeries::readRemoved(icalcomponent* event, Draft& draft) {
    std::vector<DateTime> removed;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
        const icaltimetype time = withPropertyZone(icalproperty_get_exdate(p), p, calendar_);
        // A date takes out the whole day of a timed series: it stays 00:00.
        const DateTime start = time.is_date ? writtenTimeOf(time) : startNamed(time, draft);
        if (start.isValid()) removed.push_back(start);
    }
    sortUnique(removed);
    draft.edit().removed = std::move(removed);
}

ChangedOccurrence EventSeries::changeOf(icalcomponent* override, DateTime key, const Draft& draft) {
    const Draft own = draftOf(override, draft.appointment.Description, key, draft.length);
    const Appointment& a = own.appointment;
    return {key,
            wallAtSeconds(own.first),
            wallAtSeconds(own.first + own.length),
            a.Description,
            a.Alarm,
            minutesBefore(secondsFrom(a.StartTime, a.AlarmTime))};
}

std::vector<Split> EventSeries::readOverrides(const std::vector<EventOverride>& overrides,
                                              Draft& draft) {
    std::vector<Split> splits;
    Schedule& schedule = draft.edit();
    for (const EventOverride& o : overrides) {
        icalproperty* id = icalcomponent_get_first_property(o.event, ICAL_RECURRENCEID_PROPERTY);
        const DateTime key =
            startNamed(withPropertyZone(icalproperty_get_recurrenceid(id), id, calendar_), draft);
        if (!key.isValid()) {
            notes_.push_back({o.line, _("the occurrence it changes (RECURRENCE-ID) is no date or "
                                        "time that exists; it is left out")});
            continue;
        }
        const auto same = [&](const ChangedOccurrence& c) { return c.replaces == key; };
        std::erase_if(changes_, same);
        if (changesAllLater(id)) {
            splits.push_back({key, o.event});
        } else if (icalcomponent_get_status(o.event) == ICAL_STATUS_CANCELLED) {
            schedule.removed.push_back(key);
        } else {
            changes_.push_back(changeOf(o.event, key, draft));
        }
    }
    sortUnique(schedule.removed);
    std::sort(changes_.begin(), changes_.end(),
              [](const auto& a, const auto& b) { return a.replaces < b.replaces; });
    schedule.changed = changes_;
    std::sort(splits.begin(), splits.end(),
              [](const Split& a, const Split& b) { return a.key < b.key; });
    return splits;
}

int64_t EventSeries::untilOf(const RecurrenceRule& rule) const {
    if (rule.until.isNull()) return INT64_MAX;
    int64_t until = secondsOf(rule.until);
    if (rule.untilIsUtc) until = secondsOf(wall_.wallAt(until));
    if (rule.untilIsDate) until = until - (until % kDay + kDay) % kDay + kDay - 1;
    return until;
}

Draft EventSeries::splitAt(Draft& draft, const Split& split, DateTime key) {
    const int64_t at = secondsOf(key);
    Draft rest = draftOf(split.event, draft.appointment.Description, key, draft.length);
    const int64_t moved = rest.first - at;
    Schedule& earlier = draft.edit();
    Schedule& later = rest.edit();
    if (const std::string& uid = draft.appointment.uid; !uid.empty())
        rest.appointment.uid =
            uid + "-from-" + split.key.format(wall_.allDay() ? "%Y%m%d" : "%Y%m%dT%H%M%S");
    if (earlier.rule) {
        RecurrenceRule& rule = *earlier.rule;
        later.rule = rule;
        if (rule.count > 0) {
            // The rest makes what the count leaves after the starts before the split, the
            // first start among them whether the rule makes it or not.
            const RuleExpansion expansion(rule, draft.first);
            const int64_t first = draft.first;
            size_t before =
                expansion.starts(first, at, INT64_MAX, size_t(rule.count), budget_).size();
            if (expansion.starts(first, first + 1, INT64_MAX, 1, budget_).empty()) ++before;
            later.rule->count = std::max(1, rule.count - int(before));
            rule.count = 0;
        }
        if (untilOf(rule) >= at) {
            if (wall_.allDay()) {
                rule.until = wallAtSeconds(at - kDay);
                rule.untilIsDate = true;
                rule.untilIsUtc = false;
            } else {
                // In UTC for a zoned series, as calendars write it for one.
                const bool utc = !wall_.zoneName().empty();
                rule.until = utc ? wallAtSeconds(wall_.instantOf(key) - 1) : wallAtSeconds(at - 1);
                rule.untilIsDate = false;
                rule.untilIsUtc = utc;
            }
        }
    }
    // What comes from the split on belongs to the rest, at its starts; a removed day (of a
    // timed series) moves by whole days.
    const int64_t movedDays = secondsOf(wallAtSeconds(rest.first).date()) - secondsOf(key.date());
    const auto moveOn = [&](std::vector<DateTime>& from, std::vector<DateTime>& to) {
        for (const DateTime t : from) {
            const bool day = !wall_.allDay() && t == t.date() && !isMidnight(draft.first);
            if (t >= key) to.push_back(wallAtSeconds(secondsOf(t) + (day ? movedDays : moved)));
        }
        std::erase_if(from, [&](DateTime t) { return t >= key; });
    };
    moveOn(earlier.added, later.added);
    moveOn(earlier.removed, later.removed);
    for (const ChangedOccurrence& change : earlier.changed) {
        if (change.replaces < key) continue;
        later.changed.push_back(change);
        later.changed.back().replaces = wallAtSeconds(secondsOf(change.replaces) + moved);
    }
    std::erase_if(earlier.changed, [&](const ChangedOccurrence& c) { return c.replaces >= key; });
    return rest;
}

SeriesRead EventSeries::read(icalcomponent* event, size_t line,
                             const std::vector<EventOverride>& overrides) {
    SeriesRead result;
    Draft draft = draftOf(event, "", DateTime(), 0);
    Schedule& schedule = draft.edit();
    const char* uid = icalcomponent_get_uid(event);
    draft.appointment.uid = uid != nullptr ? keptUid(uid) : "";
    readRule(event, line, schedule);
    readExtraStarts(event, draft);
    readRemoved(event, draft);
    const std::vector<Split> splits = readOverrides(overrides, draft);

    const Schedule& made = draft.schedule();
    if (made.rule && untilOf(*made.rule) < draft.first) {
        // RRULE's UNTIL before DTSTART: the rule makes nothing, the start included.
        static const char* const kEndsBefore =
            N_("its repeat rule ends (UNTIL) before its first start, so the rule makes no "
               "occurrence");
        if (made.added.empty() && made.changed.empty()) {
            result.failure = _(kEndsBefore);
            return result;
        }
        notes_.push_back({line, _(kEndsBefore)});
    }
    // Keys of later splits are starts of the series as the file gives it; each split moves
    // the starts after it by as much as its override moves its own.
    int64_t moved = 0;
    for (const Split& split : splits) {
        const DateTime key = wallAtSeconds(secondsOf(split.key) + moved);
        Draft rest = splitAt(draft, split, key);
        moved += rest.first - secondsOf(key);
        // From the first start on, the override is the whole series.
        if (key > wallAtSeconds(draft.first)) {
            dropUnseen(draft.appointment);
            result.appointments.push_back(std::move(draft.appointment));
        }
        // Cancelled from there on: the series ends before it.
        if (icalcomponent_get_status(split.event) == ICAL_STATUS_CANCELLED) {
            if (result.appointments.empty()) result.failure = _("cancelled");
            return result;
        }
        draft = std::move(rest);
    }
    dropUnseen(draft.appointment);
    result.appointments.push_back(std::move(draft.appointment));
    return result;
}

}  // namespace

SeriesRead SeriesReader::read(icalcomponent* event, size_t line,
                              const std::vector<EventOverride>& overrides) {
    return EventSeries(event, calendar_, now_, notes_, budget_).read(event, line, overrides);
}
