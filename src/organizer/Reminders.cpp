#include "organizer/Reminders.h"

#include <algorithm>

#include "organizer/ReminderText.h"
#include "records/DocumentDoor.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"

namespace {

// An alarm time worked out as the start less some minutes can land a hair after its whole
// second; the clock reads whole seconds.
constexpr double kHalfSecond = 0.5 / 86400.0;

bool hasRung(DateTime alarmTime, DateTime now) {
    return now.continuous() + kHalfSecond >= alarmTime.continuous();
}

// The longest time, in days, by which an occurrence of a series rings before its start:
// the series' own distance, asked of the model with a stand-in occurrence, or a changed
// occurrence's.
double longestLead(const Appointment& series) {
    Occurrence standIn;
    standIn.appointment = &series;
    standIn.start = series.DueDate.date();
    double lead = series.Alarm ? (standIn.start - standIn.alarmTime()).days() : 0.0;
    for (const ChangedOccurrence& change : series.schedule.get().changed) {
        if (change.alarm) lead = std::max(lead, change.alarmMinutes / 1440.0);
    }
    return std::max(lead, 0.0);
}

// The one occurrence of an appointment that does not repeat; a null start when it has none.
Occurrence onlyOccurrence(const Appointment& appointment) {
    return nextOccurrence(appointment, DateTime(DateTime::kMinValue));
}

bool isDue(const Occurrence& occurrence, DateTime now) {
    return !occurrence.start.isNull() && alarmStillSet(occurrence) &&
           hasRung(occurrence.alarmTime(), now);
}

}  // namespace

bool isAlarmDue(const Appointment& appointment, DateTime now) {
    return appointment.Alarm && hasRung(appointment.AlarmTime, now);
}

bool isOver(const Occurrence& occurrence, DateTime now) {
    return std::max(occurrence.start, occurrence.end) <= now;
}

bool isExamined(const Occurrence& occurrence, DateTime since, DateTime now) {
    return !isOver(occurrence, now) || occurrence.alarmTime() > since;
}

DateTime lookBackFrom(DateTime since, DateTime now) {
    const DateTime dayBefore = now - DateTimeSpan(kMissedDays);
    return since.isNull() || since < dayBefore ? dayBefore : since;
}

bool hasAnyAlarm(const Appointment& appointment) {
    const auto& changed = appointment.schedule.get().changed;
    return appointment.Alarm || std::any_of(changed.begin(), changed.end(),
                                            [](const ChangedOccurrence& c) { return c.alarm; });
}

bool alarmStillSet(const Occurrence& occurrence) {
    if (!occurrence.alarm()) return false;
    const DateTime done = occurrence.appointment->schedule.get().remindedUntil;
    return done.isNull() || occurrence.alarmTime() > done;
}

Occurrence dueOccurrence(const Appointment& appointment, DateTime since, DateTime now) {
    Occurrence latest;
    latest.appointment = &appointment;
    if (!hasAnyAlarm(appointment)) return latest;
    since = lookBackFrom(since, now);
    const auto consider = [&](const Occurrence& o) {
        if (!isDue(o, now) || !isExamined(o, since, now)) return;
        if (latest.start.isNull() || o.alarmTime() > latest.alarmTime() ||
            (o.alarmTime() == latest.alarmTime() && o.start > latest.start))
            latest = o;
    };
    if (!appointment.repeats()) {
        consider(onlyOccurrence(appointment));
        return latest;
    }
    // Not over, or rung since `since`: covering `since`'s day or later, and starting no
    // later than the longest lead after now. The model's budget bounds the work of a lead
    // that a damaged file made vast.
    const DateTime first = std::min(since.date(), now.date());
    const DateTime horizon =
        std::max(now.date(), (now + DateTimeSpan(longestLead(appointment))).date());
    for (const Occurrence& o : occurrencesOnDays(appointment, first, horizon))
        consider(o);
    return latest;
}

DateTime nextAlarm(const Appointment& appointment, DateTime fromDay, DateTime after) {
    DateTime earliest;
    const auto consider = [&](const Occurrence& o) {
        if (o.start.isNull() || !alarmStillSet(o) || o.lastDay() < fromDay) return;
        const DateTime alarm = o.alarmTime();
        if (alarm > after && (earliest.isNull() || alarm < earliest)) earliest = alarm;
    };
    if (!appointment.repeats()) {
        consider(onlyOccurrence(appointment));
        return earliest;
    }
    for (const Occurrence& o : occurrencesOnDays(appointment, fromDay, fromDay))
        consider(o);
    const Schedule& schedule = appointment.schedule.get();
    for (const ChangedOccurrence& change : schedule.changed) {
        if (change.alarm) consider(occurrenceAt(appointment, change.replaces));
    }
    if (!appointment.Alarm) return earliest;
    // The unchanged occurrences ring in the order they start, each its series' distance
    // before: the first to ring after `after` and after those turned off starts no sooner
    // than that distance after them (less a second for the rounding of days), however many
    // changed ones come between.
    Occurrence standIn;
    standIn.appointment = &appointment;
    standIn.start = appointment.DueDate.date();
    const DateTimeSpan lead = standIn.start - standIn.alarmTime();
    const DateTime floor = std::max(after, schedule.remindedUntil);
    DateTime from = floor.isNull() ? fromDay : floor + lead - DateTimeSpan(1.0 / 86400.0);
    if (from.isNull() || from < fromDay) from = fromDay;
    ExpansionBudget budget;
    for (const Occurrence& o : occurrencesStarting(appointment, from, DateTime(DateTime::kMaxValue),
                                                   budget, schedule.changed.size() + 3)) {
        if (o.change != nullptr) continue;
        const DateTime before = earliest;
        consider(o);
        if (earliest != before || (!earliest.isNull() && o.alarmTime() > earliest)) break;
    }
    if (!budget.exhausted) return earliest;
    // A rule that meets too seldom to search this far: look again the next day.
    const DateTime again = std::max(after, fromDay).date() + DateTimeSpan(1.0);
    return earliest.isNull() ? again : std::min(earliest, again);
}

Reminder reminderFor(int32_t id, const Appointment& appointment) {
    return Reminder{id,
                    {},
                    appointment.firstStart(),
                    reminderCaption(appointment.Description),
                    reminderMessage(appointment.firstStart()),
                    {}};
}

Reminder reminderFor(const Occurrence& occurrence, const Locale& locale) {
    std::string message = occurrence.allDay()    ? allDayReminderMessage(occurrence.start, locale)
                          : occurrence.repeats() ? reminderMessage(occurrence.start, locale)
                                                 : reminderMessage(occurrence.start);
    return Reminder{occurrence.id(),    occurrence.key,
                    occurrence.start,   reminderCaption(occurrence.description()),
                    std::move(message), {}};
}

Reminder missedReminderFor(const Occurrence& occurrence, const Locale& locale) {
    Reminder reminder = reminderFor(occurrence, locale);
    reminder.missedLine =
        missedReminderLine(occurrence.start, occurrence.allDay(), occurrence.description(), locale);
    return reminder;
}

std::vector<Reminder> dueReminders(const PimDocument& document, DateTime since, DateTime now,
                                   const Locale& locale) {
    std::vector<Reminder> due;
    since = lookBackFrom(since, now);
    for (const auto& [id, appointment] : document.appointments()) {
        // The cheap test first: most appointments have no alarm.
        if (!appointment.schedule.has() && !isAlarmDue(appointment, now)) continue;
        const Occurrence o = dueOccurrence(appointment, since, now);
        if (o.start.isNull()) continue;
        if (isOver(o, now))
            due.push_back(missedReminderFor(o, locale));
        else
            due.push_back(appointment.schedule.has() ? reminderFor(o, locale)
                                                     : reminderFor(id, appointment));
    }
    return due;
}

bool stillDue(const PimDocument& document, const Reminder& reminder, DateTime now) {
    const Appointment* appointment = document.appointments().find(reminder.id);
    if (appointment == nullptr) return false;
    if (!appointment->schedule.has()) return isAlarmDue(*appointment, now);
    if (reminder.key.isNull()) return isDue(onlyOccurrence(*appointment), now);
    return isDue(occurrenceAt(*appointment, reminder.key), now);
}

bool turnOffReminder(DocumentDoor& door, const Reminder& reminder) {
    const Appointment* current = door.document().appointments().find(reminder.id);
    if (current == nullptr) return false;
    // The record as it is now, not as the tick saw it: an edit made meanwhile stays.
    // One that began or stopped repeating meanwhile no longer has the occurrence asked about.
    if (reminder.key.isNull() == current->repeats()) return false;
    Appointment changed = *current;
    if (reminder.key.isNull()) {
        if (!current->Alarm) return false;
        changed.Alarm = false;
    } else {
        const Occurrence occurrence = occurrenceAt(*current, reminder.key);
        if (occurrence.start.isNull() || !alarmStillSet(occurrence)) return false;
        changed.schedule.edit().remindedUntil = occurrence.alarmTime();
    }
    return door.runStep(UndoStep::TurnOffReminder, [&](PimDocument& document) {
        return document.replace(std::move(changed));
    });
}
