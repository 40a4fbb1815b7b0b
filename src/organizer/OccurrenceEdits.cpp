#include "organizer/OccurrenceEdits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "exchange/RecordUids.h"
#include "records/DocumentDoor.h"
#include "records/Occurrences.h"

namespace {

constexpr int64_t kDay = 86400;

int64_t seconds(DateTime value) {
    return value.localSeconds().value_or(0);
}

DateTime at(int64_t value) {
    return DateTime::fromLocalSeconds(value);
}

int32_t minutesBefore(DateTime start, DateTime ring) {
    return int32_t(std::lround(double(seconds(start) - seconds(ring)) / 60.0));
}

int64_t dayOf(int64_t value) {
    return value / kDay - (value % kDay < 0 ? 1 : 0);
}

// Where an appointment without a rule starts and ends, local: whole days run from the
// first midnight to the one after the last day.
struct Span {
    DateTime start;
    DateTime end;
};

Span spanOf(const Appointment& appointment) {
    const Schedule& schedule = appointment.schedule.get();
    if (!schedule.allDay) return {appointment.firstStart(), appointment.firstEnd()};
    const DateTime first = appointment.DueDate.date();
    const DateTime last = std::max(first, schedule.lastDay.date());
    return {first, at(seconds(last) + kDay)};
}

bool anyLeft(const Appointment& series) {
    ExpansionBudget budget;
    const auto found = occurrencesStarting(series, DateTime(DateTime::kMinValue),
                                           DateTime(DateTime::kMaxValue), budget, 1);
    // A series too dense to search is kept rather than taken for empty.
    return !found.empty() || budget.exhausted;
}

// The rule's starts before `key` (wall seconds), the first start counted as the first.
int startsBefore(const Appointment& series, int64_t key) {
    const SeriesOutline outline = seriesOutline(series);
    if (key <= outline.first) return 0;
    const RecurrenceRule& rule = *series.schedule.get().rule;
    const RuleExpansion expansion(rule, outline.first);
    ExpansionBudget budget;
    const int64_t end = rule.count > 0 ? expansion.lastStart(outline.until, budget) : outline.until;
    const auto starts = expansion.starts(outline.first, key, end, SIZE_MAX, budget);
    const bool firstMade = !starts.empty() && starts.front() == outline.first;
    return int(starts.size()) + (firstMade ? 0 : 1);
}

// UNTIL as a wall time of the series; whole days end on a date.
void setUntil(RecurrenceRule& rule, int64_t last, bool allDay) {
    rule.until = allDay ? at(dayOf(last) * kDay) : at(last);
    rule.untilIsDate = allDay;
    rule.untilIsUtc = false;
}

// Ends `series` before the start `key` (wall seconds): the rule stops short of it, by its
// count where it has one, and the exceptions from it on go.
void endBefore(Appointment& series, int64_t key) {
    const SeriesOutline outline = seriesOutline(series);
    const int counted = series.schedule.get().rule ? startsBefore(series, key) : 0;
    Schedule& schedule = series.schedule.edit();
    if (schedule.rule && outline.until >= key) {
        if (schedule.rule->count > 0 && counted > 0) {
            schedule.rule->count = std::min(schedule.rule->count, counted);
        } else {
            schedule.rule->count = 0;
            setUntil(*schedule.rule, key - 1, schedule.allDay);
        }
    }
    std::erase_if(schedule.added, [&](DateTime start) { return seconds(start) >= key; });
    std::erase_if(schedule.removed, [&](DateTime start) { return seconds(start) >= key; });
    std::erase_if(schedule.changed,
                  [&](const ChangedOccurrence& change) { return seconds(change.replaces) >= key; });
}

// Moves the days a rule names explicitly along with a series moved by `days`.
void shiftRuleDays(RecurrenceRule& rule, int64_t days) {
    if (days == 0) return;
    for (WeekdayNum& day : rule.byDay)
        day.weekday = int(((day.weekday + days) % 7 + 7) % 7);
    for (int& day : rule.byMonthDay) {
        if (day > 0 && day + days >= 1 && day + days <= 31) day = int(day + days);
    }
}

// What moving a series asks: which exceptions it keeps (keys from `from` on), the key of
// the occurrence edited (its own exception goes: the series now gives its values), how far
// it moves, and where its first start goes (wall seconds).
struct Move {
    int64_t from;
    int64_t editedKey;
    int64_t offset;
    int64_t firstWall;
};

// `series` with the edited values, its first start at move.firstWall and the kept
// exceptions keyed anew by the offset. A counted rule that now starts later counts on.
Appointment moved(const Appointment& series, const Move& move, const Appointment& edited) {
    Appointment next = series;
    const SeriesOutline outline = seriesOutline(series);
    const int counted = series.schedule.get().rule ? startsBefore(series, move.from) : 0;
    const Schedule& wanted = edited.schedule.get();
    Schedule& schedule = next.schedule.edit();

    std::vector<DateTime> removed;
    for (const DateTime entry : series.schedule.get().removed) {
        for (const int64_t start : startsRemovedBy(series, entry)) {
            if (start >= move.from) removed.push_back(at(start + move.offset));
        }
    }
    std::sort(removed.begin(), removed.end());
    removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
    schedule.removed = std::move(removed);
    std::erase_if(schedule.added, [&](DateTime start) { return seconds(start) < move.from; });
    for (DateTime& start : schedule.added)
        start = at(seconds(start) + move.offset);
    std::erase_if(schedule.changed, [&](const ChangedOccurrence& change) {
        const int64_t key = seconds(change.replaces);
        return key < move.from || key == move.editedKey;
    });
    // A change keeps the start its user gave it; only its key follows the rule.
    for (ChangedOccurrence& change : schedule.changed)
        change.replaces = at(seconds(change.replaces) + move.offset);

    schedule.allDay = wanted.allDay;
    if (wanted.rule) {
        schedule.rule = wanted.rule;  // the editor gave a rule of its own
    } else if (schedule.rule) {
        RecurrenceRule& rule = *schedule.rule;
        const bool wasCounted = rule.count > 0;
        if (wasCounted) rule.count -= counted;
        if (outline.until != INT64_MAX)
            setUntil(rule, outline.until + move.offset, schedule.allDay);
        shiftRuleDays(rule, dayOf(move.editedKey + move.offset) - dayOf(move.editedKey));
        if (wasCounted && rule.count <= 0) schedule.rule.reset();
    }

    const Span span = spanOf(edited);
    const int64_t duration = std::max<int64_t>(0, seconds(span.end) - seconds(span.start));
    const DateTime first = seriesLocalTime(next, at(move.firstWall));
    const DateTime end = at(seconds(first) + duration);
    next.Description = edited.Description;
    next.Alarm = edited.Alarm;
    if (edited.Alarm) next.AlarmTime = first - (edited.firstStart() - edited.AlarmTime);
    next.Done = edited.Done;
    next.DueDate = first.date();
    if (schedule.allDay) {
        next.StartTime = next.DueDate;
        next.EndTime = next.DueDate + DateTimeSpan::fromParts(0, 23, 59, 0);
        const DateTime last = at(seconds(end) - 1).date();
        schedule.lastDay = last > next.DueDate ? last : DateTime();
    } else {
        next.StartTime = first;
        next.EndTime = end;
        schedule.lastDay = end.date() > next.DueDate ? end.date() : DateTime();
    }
    next.forgetLaterWhereChanged(series);
    return next;
}

UndoStep removalName(OccurrenceScope scope) {
    return scope == OccurrenceScope::This ? UndoStep::DeleteOccurrence
                                          : UndoStep::DeleteFollowingOccurrences;
}

}  // namespace

Appointment occurrenceAsAppointment(const Occurrence& occurrence) {
    Appointment single = standAlone(occurrence);
    // Whole days end on the first day; the schedule below names the last.
    if (occurrence.allDay())
        single.EndTime = occurrence.firstDay() + DateTimeSpan::fromParts(0, 23, 59, 0);
    // In whole seconds, as the editor gives it back: confirming unchanged changes nothing.
    single.AlarmTime = at(seconds(single.AlarmTime));
    Schedule shape;
    shape.allDay = occurrence.allDay();
    const DateTime last = shape.allDay ? occurrence.lastDay() : occurrence.end.date();
    if (last > single.DueDate) shape.lastDay = last;
    single.schedule.set(std::move(shape));
    return single;
}

bool removeOccurrences(DocumentDoor& door, int32_t id, DateTime key, OccurrenceScope scope) {
    const Appointment* current = door.document().appointments().find(id);
    if (current == nullptr || occurrenceAt(*current, key).start.isNull()) return false;
    Appointment changed = *current;
    if (scope == OccurrenceScope::This) {
        Schedule& schedule = changed.schedule.edit();
        std::erase_if(schedule.changed,
                      [&](const ChangedOccurrence& change) { return change.replaces == key; });
        schedule.removed.insert(
            std::upper_bound(schedule.removed.begin(), schedule.removed.end(), key), key);
    } else if (scope == OccurrenceScope::ThisAndFollowing) {
        endBefore(changed, seconds(key));
    }
    if (scope == OccurrenceScope::All || !anyLeft(changed)) {
        return door.runStep(UndoStep::DeleteAppointment, [&](PimDocument& document) {
            document.remove<Appointment>(id);
            return true;
        });
    }
    return door.runStep(removalName(scope), [&](PimDocument& document) {
        return document.replace(std::move(changed));
    });
}

bool removeOccurrence(DocumentDoor& door, int32_t id, DateTime key) {
    return removeOccurrences(door, id, key, OccurrenceScope::This);
}

int32_t changeOccurrences(DocumentDoor& door, int32_t id, DateTime key, OccurrenceScope scope,
                          const Appointment& edited) {
    const Appointment* current = door.document().appointments().find(id);
    if (current == nullptr) return 0;
    const Occurrence occurrence = occurrenceAt(*current, key);
    if (occurrence.start.isNull()) return 0;
    const Span span = spanOf(edited);
    const int64_t k = seconds(key);

    if (scope == OccurrenceScope::This) {
        Appointment changed = *current;
        Schedule& schedule = changed.schedule.edit();
        std::erase_if(schedule.changed,
                      [&](const ChangedOccurrence& change) { return change.replaces == key; });
        const Occurrence plain = occurrenceAt(changed, key);
        const int32_t minutes = edited.Alarm ? minutesBefore(span.start, edited.AlarmTime) : 0;
        // Compared in whole seconds and minutes, as the editor sets them.
        const bool same =
            seconds(plain.start) == seconds(span.start) &&
            seconds(plain.end) == seconds(span.end) && plain.description() == edited.Description &&
            plain.alarm() == edited.Alarm &&
            (!edited.Alarm || minutesBefore(plain.start, plain.alarmTime()) == minutes);
        // What the series gives anyway needs no exception.
        if (!same) {
            const ChangedOccurrence change{key,
                                           seriesWallTime(changed, span.start),
                                           seriesWallTime(changed, span.end),
                                           edited.Description,
                                           edited.Alarm,
                                           minutes};
            const auto place = std::upper_bound(
                schedule.changed.begin(), schedule.changed.end(), key,
                [](DateTime k2, const ChangedOccurrence& c) { return k2 < c.replaces; });
            schedule.changed.insert(place, change);
        }
        const bool done = door.runStep(UndoStep::ChangeOccurrence, [&](PimDocument& document) {
            return document.replace(std::move(changed));
        });
        return done ? id : 0;
    }

    // How far the occurrence moved, from where it was shown.
    const int64_t offset = seconds(seriesWallTime(*current, span.start)) -
                           seconds(seriesWallTime(*current, occurrence.start));
    if (scope == OccurrenceScope::ThisAndFollowing) {
        Appointment before = *current;
        endBefore(before, k);
        if (anyLeft(before)) {
            Appointment next = moved(*current, {k, k, offset, k + offset}, edited);
            next.ID = 0;
            next.uid.clear();
            // Another program must not take the new series for the old one.
            if (!current->uid.empty()) next.uid = UidMaker().of(next);
            return door.runStep(UndoStep::ChangeFollowingOccurrences, [&](PimDocument& document) {
                document.replace(std::move(before));
                return document.add(std::move(next));
            });
        }
    }
    const int64_t first = seriesOutline(*current).first;
    Appointment all = moved(*current, {INT64_MIN, k, offset, first + offset}, edited);
    const bool done = door.runStep(UndoStep::ChangeAllOccurrences, [&](PimDocument& document) {
        return document.replace(std::move(all));
    });
    return done ? id : 0;
}
